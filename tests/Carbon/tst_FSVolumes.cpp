#include "Carbon/FSVolumes.h"
#include "Carbon/MountInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "PrivateMounts.h"

using namespace Qt::StringLiterals;

class TestFSVolumes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("mountPoint"); // of the first entry
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("type");

        QTest::newRow("typical") << QByteArray("36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root "
                                               "rw,errors=continue\n")
                                 << 1 << u"/mnt/parent"_s << u"/dev/root"_s << u"ext3"_s;
        QTest::newRow("no optional fields, no newline at the end")
            << QByteArray("22 1 0:21 / /proc rw,nosuid - proc proc rw") << 1 << u"/proc"_s << u"proc"_s << u"proc"_s;
        QTest::newRow("several optional fields") << QByteArray("5 4 8:1 / /data rw shared:3 master:2 unbindable - "
                                                               "xfs /dev/sda1 rw\n")
                                                 << 1 << u"/data"_s << u"/dev/sda1"_s << u"xfs"_s;
        QTest::newRow("escaped blanks and backslash")
            << QByteArray("7 1 8:2 / /media/My\\040Disc\\011x\\134y rw - iso9660 /dev/sr0 ro\n") << 1
            << u"/media/My Disc\tx\\y"_s << u"/dev/sr0"_s << u"iso9660"_s;
        QTest::newRow("escape cut short stays literal")
            << QByteArray("7 1 8:2 / /a\\04 rw - ext4 /dev/x rw\n") << 1 << u"/a\\04"_s << u"/dev/x"_s << u"ext4"_s;
        QTest::newRow("bad lines skipped") << QByteArray("x 1 8:2 / /a rw - ext4 /dev/x rw\n"
                                                         "8 1 8 / /b rw - ext4 /dev/x rw\n"
                                                         "9 1 8:2 / /c rw ext4 /dev/x rw\n"
                                                         "10 1 8:2 / /d rw - ext4\n"
                                                         "\n"
                                                         "11 1 8:3 / /e rw - tmpfs none rw\n")
                                           << 1 << u"/e"_s << u"none"_s << u"tmpfs"_s;
        QTest::newRow("empty") << QByteArray() << 0 << u""_s << u""_s << u""_s;
    }
    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, count);
        QFETCH(QString, mountPoint);
        QFETCH(QString, source);
        QFETCH(QString, type);
        const QList<tz::MountInfoEntry> entries = tz::parseMountInfo(text);
        QCOMPARE(entries.size(), count);
        if (count == 0)
            return;
        QCOMPARE(entries.first().mountPoint, mountPoint);
        QCOMPARE(entries.first().source, source);
        QCOMPARE(entries.first().fileSystemType, type);
    }

    void parseFieldsOfOneLine()
    {
        const QList<tz::MountInfoEntry> entries =
            tz::parseMountInfo("36 35 98:7 /sub /mnt rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n");
        QCOMPARE(entries.size(), 1);
        const tz::MountInfoEntry& e = entries.first();
        QCOMPARE(e.mountId, 36);
        QCOMPARE(e.parentId, 35);
        QCOMPARE(e.major, 98u);
        QCOMPARE(e.minor, 7u);
        QCOMPARE(e.root, u"/sub"_s);
        QCOMPARE(e.mountOptions, u"rw,noatime"_s);
        QCOMPARE(e.superOptions, u"rw,errors=continue"_s);
    }

    void missingArguments()
    {
        tz::FSRef root;
        QVERIFY(tz::getFSRef(u"/"_s, &root));
        QCOMPARE(int(tz::FSGetVRefNum(root, nullptr)), -50);
        QList<tz::FSRef> refs;
        qsizetype count = 0;
        QCOMPARE(int(tz::FSGetMountedVolumes(nullptr, &count)), -50);
        QCOMPARE(int(tz::FSGetMountedVolumes(&refs, nullptr)), -50);
        tz::FSVolumeRefNum volume = 0;
        QCOMPARE(int(tz::FSGetVRefNum(tz::FSRef{}, &volume)), -43);
        QCOMPARE(int(tz::FSGetVInfo(-1, nullptr, nullptr, nullptr)), -35);
    }

    // A 1 MiB memory file system mounted on a test folder is a volume of its own: the folder's
    // items are on it, its sizes are its own, it is listed; a second mount on the same folder
    // hides it.
    void mountedVolumes()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString base = QDir(dir.path()).canonicalPath();
        QVERIFY(QDir(base).mkdir(u"disc"_s));
        const QString point = base + u"/disc"_s;
        const QByteArray encoded = QFile::encodeName(point);

        const int failed = inPrivateMounts([&]() -> int {
            tz::FSRef outside;
            tz::FSVolumeRefNum outer = 0;
            if (!tz::getFSRef(base, &outside) || tz::FSGetVRefNum(outside, &outer) != 0)
                return 1;
            if (::mount("tmpfs", encoded.constData(), "tmpfs", 0, "size=1m") != 0)
                return 2;
            QFile file(point + u"/item"_s);
            if (!file.open(QIODevice::WriteOnly))
                return 3;
            file.close();
            tz::FSRef item;
            tz::FSVolumeRefNum inner = 0;
            if (!tz::getFSRef(point + u"/item"_s, &item) || tz::FSGetVRefNum(item, &inner) != 0 || inner == outer)
                return 4;
            QString name;
            quint64 freeBytes = 0;
            quint64 totalBytes = 0;
            if (tz::FSGetVInfo(inner, &name, &freeBytes, &totalBytes) != 0 || name != u"disc"
                || totalBytes != 1024 * 1024 || freeBytes == 0 || freeBytes > totalBytes)
                return 5;
            if (tz::FSGetVInfo(inner, nullptr, &freeBytes, nullptr) != 0)
                return 6;

            QList<tz::FSRef> refs;
            qsizetype count = -1;
            if (tz::FSGetMountedVolumes(&refs, &count) != 0 || count != refs.size())
                return 7;
            tz::FSRef pointRef;
            if (!tz::getFSRef(point, &pointRef) || !refs.contains(pointRef))
                return 8;
            tz::FSRef rootRef;
            if (!tz::getFSRef(u"/"_s, &rootRef) || !refs.contains(rootRef))
                return 9;

            if (::mount("tmpfs", encoded.constData(), "tmpfs", 0, "size=2m") != 0)
                return 10;
            if (tz::FSGetVInfo(inner, &name, nullptr, nullptr) != -35)
                return 11;
            tz::FSRef upper;
            tz::FSVolumeRefNum upperVolume = 0;
            if (!tz::getFSRef(point, &upper) || tz::FSGetVRefNum(upper, &upperVolume) != 0
                || tz::FSGetVInfo(upperVolume, nullptr, nullptr, &totalBytes) != 0 || totalBytes != 2 * 1024 * 1024)
                return 12;
            if (tz::FSGetMountedVolumes(&refs, &count) != 0 || refs.count(upper) != 1)
                return 13;
            return 0;
        });
        QCOMPARE(failed, 0);
    }
};

QTEST_GUILESS_MAIN(TestFSVolumes)
#include "tst_FSVolumes.moc"
