#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"
#include "support/StdErrCapture.h"

#include <QGuiApplication>
#include <QTest>

using namespace tz;
using namespace Qt::StringLiterals;

// The application object answers orderFrontStandardAboutPanel:.
class TestApplication : public QGuiApplication
{
    Q_OBJECT
public:
    using QGuiApplication::QGuiApplication;
    Q_INVOKABLE void orderFrontStandardAboutPanel(QObject*) {}
};
TZ_REGISTER_CLASS(TestApplication);

// Validates copy: itself (disabled), and answers save: without a validation method.
class Document : public QObject
{
    Q_OBJECT
public:
    int validations = 0;
    Q_INVOKABLE bool menuValidationForCopy(QAction* item)
    {
        ++validations;
        return item && false;
    }
    Q_INVOKABLE void copy(QObject*) {}
    Q_INVOKABLE void save(QObject*) {}
    Q_INVOKABLE bool menuValidationForPrint(QAction*) { return true; }
    // A validation method of the wrong shape.
    Q_INVOKABLE int menuValidationForRevert(QAction*) { return 1; }
};
TZ_REGISTER_CLASS(Document);

// Maps every action to menuValidationForPrint:.
class Mapper : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE tz::Selector validationMethodForSelector(tz::Selector)
    {
        return registerSelector(u"menuValidationForPrint:"_s);
    }
    Q_INVOKABLE bool menuValidationForPrint(QAction*) { return false; }
    Q_INVOKABLE bool menuValidationForCopy(QAction*) { return true; }
};
TZ_REGISTER_CLASS(Mapper);

// An application delegate that answers newWindow:.
class Delegate : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE void newWindow(QObject*) {}
};
TZ_REGISTER_CLASS(Delegate);

class tst_TzValidateMenuItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void itemWithoutAction();
    void validationMethodDecides();
    void overriddenValidationSelector();
    void delegateFallback_data();
    void delegateFallback();
    void badValidationSignature();
};

namespace {

std::unique_ptr<QAction> item(const QString& action)
{
    auto a = std::make_unique<QAction>();
    setActionSelector(a.get(), registerSelector(action));
    return a;
}

} // namespace

void tst_TzValidateMenuItem::itemWithoutAction()
{
    QAction plain;
    Document doc;
    QVERIFY(actionSelector(&plain).isNull());
    QVERIFY(TzValidateMenuItem(&plain, &doc));
    QVERIFY(TzValidateMenuItem(&plain, nullptr));
    QCOMPARE(actionSelector(item(u"copy:"_s).get()).name(), u"copy:"_s);
}

void tst_TzValidateMenuItem::validationMethodDecides()
{
    Document doc;
    const auto copy = item(u"copy:"_s);
    QVERIFY(!TzValidateMenuItem(copy.get(), &doc)); // whatever else it implements
    QCOMPARE(doc.validations, 1);
    QVERIFY(!TzValidateMenuItem(static_cast<QObject*>(&doc), copy.get()));
    QVERIFY(TzValidateMenuItem(item(u"print:"_s).get(), &doc));
    // No validation method: any other target enables the item.
    QVERIFY(TzValidateMenuItem(item(u"save:"_s).get(), &doc));
}

void tst_TzValidateMenuItem::overriddenValidationSelector()
{
    Mapper mapper;
    QCOMPARE(validationMethodForSelector(&mapper, registerSelector(u"copy:"_s)).name(), u"menuValidationForPrint:"_s);
    QVERIFY(!TzValidateMenuItem(item(u"copy:"_s).get(), &mapper)); // its own menuValidationForCopy: is not asked
    Document doc;
    QCOMPARE(validationMethodForSelector(&doc, registerSelector(u"copy:"_s)).name(), u"menuValidationForCopy:"_s);
}

void tst_TzValidateMenuItem::delegateFallback_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("forDelegate");
    QTest::addColumn<bool>("forOtherTarget");
    QTest::newRow("delegate answers") << u"newWindow:"_s << true << true;
    QTest::newRow("application answers") << u"orderFrontStandardAboutPanel:"_s << true << true;
    QTest::newRow("neither answers") << u"burnDisc:"_s << false << true;
    QTest::newRow("validation method of another class") << u"copy:"_s << false << true;
}

void tst_TzValidateMenuItem::delegateFallback()
{
    QFETCH(QString, action);
    Delegate delegate;
    QObject other;
    setApplicationDelegate(&delegate);
    const auto menuItem = item(action);
    QTEST(TzValidateMenuItem(menuItem.get(), &delegate), "forDelegate");
    QTEST(TzValidateMenuItem(menuItem.get(), &other), "forOtherTarget");
    setApplicationDelegate(nullptr);
    QVERIFY(TzValidateMenuItem(menuItem.get(), &delegate)); // no longer the delegate
}

void tst_TzValidateMenuItem::badValidationSignature()
{
    Document doc;
    StdErrCapture capture;
    QVERIFY(!TzValidateMenuItem(item(u"revert:"_s).get(), &doc));
    QCOMPARE(capture.lineCount(), 1);
    QVERIFY2(
        capture.text().endsWith("(TzValidateMenuItem) BAD METHOD SIGNATURE FOR [Document menuValidationForRevert:]\n"),
        capture.text().constData());
}

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
    tst_TzValidateMenuItem test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TzValidateMenuItem.moc"
