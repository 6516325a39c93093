#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSBundle/ResourcePath.h"

#include "Foundation/PropertyList.h"
#include "Foundation/String.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_Bundle : public QObject
{
    Q_OBJECT

    static bool write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly)
            && file.write(bytes) == bytes.size();
    }

private Q_SLOTS:
    void cleanup() { tz::bundle::setMainBundlePath(QString()); }

    void mainBundlePath()
    {
        // Until the program names its data folder, the bundle is the executable's folder.
        QCOMPARE(tz::bundle::mainBundlePath(), QCoreApplication::applicationDirPath());
        tz::bundle::setMainBundlePath(u"/usr/share/burner-catalogue"_s);
        QCOMPARE(tz::bundle::mainBundlePath(), u"/usr/share/burner-catalogue"_s);
        QCOMPARE(tz::bundle::infoDictionaryPath(), u"/usr/share/burner-catalogue/Contents/Info.plist"_s);
        tz::bundle::setMainBundlePath(QString());
        QCOMPARE(tz::bundle::mainBundlePath(), QCoreApplication::applicationDirPath());
    }

    void infoDictionary()
    {
        QTemporaryDir bundle;
        QVERIFY(bundle.isValid());
        tz::bundle::setMainBundlePath(bundle.path());
        QVERIFY(!tz::bundle::infoDictionary());
        const QString path = bundle.filePath(u"Contents/Info.plist"_s);
        QVERIFY(write(path, "not a property list"));
        QVERIFY(!tz::bundle::infoDictionary());
        QVERIFY(tz::propertyList::writeFile(tz::str(u"a string"_s), path));
        QVERIFY(!tz::bundle::infoDictionary());
        QVERIFY(tz::propertyList::writeFile(tz::Dictionary::make({{u"CFBundleName"_s, tz::str(u"Tool"_s)}}), path,
                                            tz::propertyList::Format::Binary));
        const auto info = tz::bundle::infoDictionary();
        QVERIFY(info);
        QCOMPARE(tz::textOf(info->objectForKey(u"CFBundleName"_s)), u"Tool"_s);
    }

    void resources_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // below the bundle; none when null
        QTest::newRow("in Contents/Resources") << u"help.html"_s << u"Contents/Resources/help.html"_s;
        QTest::newRow("Resources before the top") << u"both.txt"_s << u"Contents/Resources/both.txt"_s;
        QTest::newRow("at the top of a flat bundle") << u"simulated-drives.plist"_s << u"simulated-drives.plist"_s;
        QTest::newRow("in a folder of Resources") << u"icons/tray.svg"_s << u"Contents/Resources/icons/tray.svg"_s;
        QTest::newRow("a folder") << u"icons"_s << u"Contents/Resources/icons"_s;
        QTest::newRow("missing") << u"missing.txt"_s << QString();
        QTest::newRow("name and type are one name") << u"help"_s << QString();
        QTest::newRow("leading out of the bundle") << u"../outside.txt"_s << QString();
        QTest::newRow("leading out from a folder") << u"Contents/../../outside.txt"_s << QString();
        QTest::newRow("absolute name") << u"/etc/hostname"_s << QString();
        QTest::newRow("empty name") << u""_s << QString();
    }
    void resources()
    {
        QFETCH(QString, name);
        QFETCH(QString, found);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString bundle = dir.filePath(u"bundle"_s);
        for (const char* item : {"Contents/Resources/help.html", "Contents/Resources/both.txt", "both.txt",
                                 "simulated-drives.plist", "Contents/Resources/icons/tray.svg"})
            QVERIFY(write(bundle + u'/' + QLatin1String(item), "x"));
        QVERIFY(write(dir.filePath(u"outside.txt"_s), "x"));
        tz::bundle::setMainBundlePath(bundle);
        const QString expected = found.isNull() ? QString() : bundle + u'/' + found;
        QCOMPARE(tz::ResourcePath(name), expected);
        QCOMPARE(tz::ResourcePath(name).isNull(), found.isNull());
        QCOMPARE(tz::pathToMyResource(name), expected);
    }
};

QTEST_GUILESS_MAIN(tst_Bundle)
#include "tst_Bundle.moc"
