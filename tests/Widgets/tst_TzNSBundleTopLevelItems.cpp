#include "Widgets/TzNSBundleTopLevelItems.h"

#include "Foundation_Additions/NSBundle/Bundle.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Layouts in the resources of a temporary main bundle.
class TestTopLevelItems : public QObject
{
    Q_OBJECT

    QTemporaryDir _bundle;

    bool writeResource(const QString& name, const QByteArray& bytes)
    {
        QFile file(_bundle.filePath(u"Contents/Resources/"_s + name));
        return QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly)
            && file.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_bundle.isValid());
        tz::bundle::setMainBundlePath(_bundle.path());
        QVERIFY(writeResource(u"Panel.ui"_s, R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Panel</class>
 <widget class="QWidget" name="Panel">
  <property name="windowTitle"><string>Drive panel</string></property>
  <layout class="QVBoxLayout" name="layout">
   <item><widget class="QPushButton" name="ejectButton"><property name="text"><string>Eject</string></property></widget></item>
  </layout>
 </widget>
</ui>
)"));
        QVERIFY(writeResource(u"Broken.ui"_s, "<ui version=\"4.0\"><widget class="));
    }
    void cleanupTestCase() { tz::bundle::setMainBundlePath(QString()); }

    void loadsTheLayoutForTheCaller()
    {
        QPointer<QWidget> kept;
        {
            auto owner = std::make_unique<QObject>();
            auto items = tz::topLevelItemsLoadedFromNibNamed(u"Panel"_s, owner.get());
            QVERIFY(items);
            QCOMPARE(items->size(), 1u);
            QWidget* panel = items->front().get();
            QCOMPARE(panel->objectName(), u"Panel"_s);
            QCOMPARE(panel->windowTitle(), u"Drive panel"_s);
            QVERIFY(!panel->parent());
            const auto* button = panel->findChild<QPushButton*>(u"ejectButton"_s);
            QVERIFY(button);
            QCOMPARE(button->text(), u"Eject"_s);
            QCOMPARE(panel->property("NSOwner").value<QPointer<QObject>>().data(), owner.get());
            // The owner going first leaves the widgets alive, and the property null.
            owner.reset();
            QVERIFY(panel->property("NSOwner").value<QPointer<QObject>>().isNull());
            kept = panel;
            QVERIFY(kept);
        }
        // The returned list was the widgets' only keeper.
        QVERIFY(kept.isNull());
    }

    void unloadableLayoutsGiveNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << u"Missing"_s;
        QTest::newRow("not a layout") << u"Broken"_s;
        QTest::newRow("name with its extension") << u"Panel.ui"_s;
        QTest::newRow("out of the bundle") << u"../Panel"_s;
    }
    void unloadableLayoutsGiveNothing()
    {
        QFETCH(QString, name);
        QVERIFY(!tz::topLevelItemsLoadedFromNibNamed(name, nullptr));
    }
};

QTEST_MAIN(TestTopLevelItems)
#include "tst_TzNSBundleTopLevelItems.moc"
