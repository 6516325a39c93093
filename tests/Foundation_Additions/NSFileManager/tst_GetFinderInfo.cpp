#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/GetFinderInfo.h"
#include "Foundation_Additions/NSFileManager/HasResourceFork.h"
#include "Foundation_Additions/NSFileManager/WyResourceFork.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// 32 bytes of Finder information: the 16 of the file browser, then 16 extended ones.
QByteArray withExtendedHalf(const QByteArray& first16)
{
    return first16 + QByteArray(16, '\x55');
}

const QByteArray typedInfo("TEXTttxt\x01\x00\x00\x00\x00\x00\x00\x00", 16);

} // namespace

// Finder information, folder view styles and resource forks of real items with and without
// AppleDouble companions.
class tst_GetFinderInfo : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;

    QString path(const QString& name) const { return _dir.path() + u'/' + name; }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        QVERIFY(writeBytes(path(u"plain"_s), "data"));
        QVERIFY(writeBytes(path(u"typed"_s), "data"));
        QVERIFY(tz::writeFinderInfo(path(u"typed"_s), withExtendedHalf(typedInfo)));
        QVERIFY(QDir().mkdir(path(u"folder"_s)));
        QVERIFY(QDir().mkdir(path(u"styled"_s)));
        QVERIFY(tz::writeFinderInfo(path(u"styled"_s), withExtendedHalf(QByteArray(14, '\0') + "\x01\x02")));
        QVERIFY(QFile::link(path(u"styled"_s), path(u"toFolder"_s)));
        QVERIFY(writeBytes(path(u"broken"_s), "data"));
        QVERIFY(writeBytes(path(u"._broken"_s), "not an AppleDouble file"));
        QVERIFY(writeBytes(path(u"forked"_s), "data"));
        {
            const auto fork = tz::WyResourceFork::resourceForkForWritingAtPath(path(u"forked"_s));
            QVERIFY(fork && fork->addDataTypeIdName("bytes", 0x53545220, 128, {}));
        }
    }

    void finderInfo_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QByteArray>("info");
        QTest::newRow("no companion") << u"plain"_s << true << QByteArray(16, '\0');
        QTest::newRow("companion") << u"typed"_s << true << typedInfo;
        QTest::newRow("folder") << u"styled"_s << true << QByteArray(14, '\0') + "\x01\x02";
        QTest::newRow("unreadable companion") << u"broken"_s << false << QByteArray("untouched");
        QTest::newRow("nothing there") << u"missing"_s << false << QByteArray("untouched");
    }
    void finderInfo()
    {
        QFETCH(QString, name);
        QFETCH(bool, read);
        QByteArray info = "untouched";
        QTEST(tz::GetFinderInfo(path(name), &info), "read");
        QTEST(info, "info");
        QCOMPARE(tz::GetFinderInfo(path(name)), read || name == u"broken"_s); // no buffer: no companion read
    }

    void folderViewStyle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("style"); // -1: none
        QTest::newRow("folder with view 0x0102") << u"styled"_s << 0x0102;
        QTest::newRow("link to that folder") << u"toFolder"_s << 0x0102;
        QTest::newRow("folder without companion") << u"folder"_s << 0;
        QTest::newRow("file") << u"typed"_s << -1;
        QTest::newRow("nothing there") << u"missing"_s << -1;
    }
    void folderViewStyle()
    {
        QFETCH(QString, name);
        QFETCH(int, style);
        const auto number = tz::GetFolderViewStyle(path(name));
        if (style < 0) {
            QVERIFY(!number);
            return;
        }
        QVERIFY(number);
        QCOMPARE(number->type(), tz::Number::Type::UInt32);
        QCOMPARE(int(*number->unsignedIntValue()), style);
    }

    void resourceForks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("has");
        QTest::newRow("fork with a resource") << u"forked"_s << true;
        QTest::newRow("companion without fork") << u"typed"_s << false;
        QTest::newRow("no companion") << u"plain"_s << false;
        QTest::newRow("unreadable companion") << u"broken"_s << false;
        QTest::newRow("folder") << u"folder"_s << false;
        QTest::newRow("nothing there") << u"missing"_s << false;
    }
    void resourceForks()
    {
        QFETCH(QString, name);
        QTEST(tz::HasResourceFork(path(name)), "has");
    }
};

QTEST_GUILESS_MAIN(tst_GetFinderInfo)
#include "tst_GetFinderInfo.moc"
