#include "Foundation_Additions/NSBundle/FixUpBundleVersions.h"

#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSBundle/Bundle.h"

#include "support/LockedFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tz::propertyList::Format)

// The short version filled in on a real temporary bundle set as the main bundle.
class TestFixUpBundleVersions : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;

    QString infoPath() const { return _dir.filePath(u"Tool.app/Contents/Info.plist"_s); }

    bool writeInfo(const QList<std::pair<QString, QString>>& entries, tz::propertyList::Format format)
    {
        QList<tz::Dictionary::Entry> pairs;
        for (const auto& [key, value] : entries)
            pairs.append({tz::str(key), tz::str(value)});
        return QDir().mkpath(QFileInfo(infoPath()).path())
            && tz::propertyList::writeFile(tz::Dictionary::make(pairs), infoPath(), format);
    }

    QString valueInFile(const QString& key) const
    {
        const auto info = tz::cast<tz::Dictionary>(tz::propertyList::readFile(infoPath()));
        return info ? tz::textOf(info->objectForKey(key)) : u"<unreadable>"_s;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        tz::bundle::setMainBundlePath(_dir.filePath(u"Tool.app"_s));
    }
    void cleanupTestCase() { tz::bundle::setMainBundlePath(QString()); }

    void fixUp_data()
    {
        QTest::addColumn<QString>("version");    // none: no CFBundleVersion
        QTest::addColumn<QString>("getInfo");    // none: no CFBundleGetInfoString
        QTest::addColumn<QString>("shortGiven"); // none: no CFBundleShortVersionString
        QTest::addColumn<tz::propertyList::Format>("format");
        QTest::addColumn<QString>("getInfoAfter");
        QTest::addColumn<QString>("shortAfter");
        const QString sign = QString(QChar(0x00A9));
        const auto xml = tz::propertyList::Format::Xml;
        const auto binary = tz::propertyList::Format::Binary;
        QTest::newRow("sign gets the version") << u"1.2"_s << u"Tool "_s + sign + u" 2005"_s << QString() << xml
                                               << u"Tool 1.2 "_s + sign + u" 2005"_s << u"1.2"_s;
        QTest::newRow("every sign, binary file kept binary")
            << u"3"_s << sign + u"a"_s + sign << QString() << binary << u"3 "_s + sign + u"a3 "_s + sign << u"3"_s;
        QTest::newRow("no sign: unchanged")
            << u"1.2"_s << u"Tool 2005"_s << QString() << xml << u"Tool 2005"_s << u"1.2"_s;
        QTest::newRow("short version present: nothing")
            << u"1.2"_s << u"Tool "_s + sign << u"0.9"_s << xml << u"Tool "_s + sign << u"0.9"_s;
        QTest::newRow("no get-info string: short version only")
            << u"1.2"_s << QString() << QString() << xml << QString() << u"1.2"_s;
        QTest::newRow("no version: nothing")
            << QString() << u"Tool "_s + sign << QString() << xml << u"Tool "_s + sign << QString();
    }
    void fixUp()
    {
        QFETCH(QString, version);
        QFETCH(QString, getInfo);
        QFETCH(QString, shortGiven);
        QFETCH(tz::propertyList::Format, format);
        QFETCH(QString, getInfoAfter);
        QFETCH(QString, shortAfter);
        QList<std::pair<QString, QString>> entries{{u"CFBundleName"_s, u"Tool"_s}};
        if (!version.isNull())
            entries.append({u"CFBundleVersion"_s, version});
        if (!getInfo.isNull())
            entries.append({u"CFBundleGetInfoString"_s, getInfo});
        if (!shortGiven.isNull())
            entries.append({u"CFBundleShortVersionString"_s, shortGiven});
        QVERIFY(writeInfo(entries, format));

        tz::FixUpBundleVersions();

        QCOMPARE(valueInFile(u"CFBundleGetInfoString"_s), getInfoAfter);
        QCOMPARE(valueInFile(u"CFBundleShortVersionString"_s), shortAfter);
        QCOMPARE(valueInFile(u"CFBundleName"_s), u"Tool"_s);
        QFile file(infoPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(6) == "bplist", format == tz::propertyList::Format::Binary);
    }

    void failedWriteIsIgnored()
    {
        QVERIFY(writeInfo({{u"CFBundleVersion"_s, u"1.2"_s}}, tz::propertyList::Format::Xml));
        {
            const LockedFolder locked(QFileInfo(infoPath()).path());
            if (!locked.isLocked())
                QSKIP(qPrintable(u"cannot lock the folder: "_s + locked.error()));
            tz::FixUpBundleVersions();
        }
        QVERIFY(valueInFile(u"CFBundleShortVersionString"_s).isNull());
        QCOMPARE(valueInFile(u"CFBundleVersion"_s), u"1.2"_s);
    }

    void missingFileChangesNothing()
    {
        QVERIFY(QFile::remove(infoPath()));
        tz::FixUpBundleVersions();
        QVERIFY(!QFileInfo::exists(infoPath()));
    }
};

QTEST_GUILESS_MAIN(TestFixUpBundleVersions)
#include "tst_FixUpBundleVersions.moc"
