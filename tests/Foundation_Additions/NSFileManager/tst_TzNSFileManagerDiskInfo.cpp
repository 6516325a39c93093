#include "Foundation_Additions/NSFileManager/TzNSFileManagerDiskInfo.h"

#include "Carbon/MountInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace Qt::StringLiterals;

// The volume of real paths, checked against the mount table line whose device numbers and
// mount point fit.
class TestDiskInfo : public QObject
{
    Q_OBJECT

    // The mount whose folder is the longest leading part of a canonical path.
    static tz::MountInfoEntry mountOf(const QString& canonical)
    {
        tz::MountInfoEntry best;
        for (const tz::MountInfoEntry& entry : tz::readMountInfo()) {
            const bool holds = entry.mountPoint == u"/" || canonical == entry.mountPoint
                || canonical.startsWith(entry.mountPoint + u'/');
            if (holds && entry.mountPoint.size() >= best.mountPoint.size())
                best = entry;
        }
        return best;
    }

private Q_SLOTS:
    void volumeOfExistingPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("the root") << u"/"_s;
        QTest::newRow("process table") << u"/proc/self/status"_s;
        QTest::newRow("a temporary folder") << QDir::tempPath();
    }
    void volumeOfExistingPaths()
    {
        QFETCH(QString, path);
        const QString canonical = QFileInfo(path).canonicalFilePath();
        const tz::MountInfoEntry expected = mountOf(canonical);
        QVERIFY(!expected.mountPoint.isEmpty());

        QString device, mountPoint, fileSystem;
        QVERIFY(tz::deviceMountPointFileSystemForFilePath(&device, &mountPoint, &fileSystem, path));
        QCOMPARE(mountPoint, expected.mountPoint);
        QCOMPARE(device, expected.source);
        QCOMPARE(fileSystem, expected.fileSystemType);
        struct stat info
        {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(major(info.st_dev), expected.major);
        QCOMPARE(minor(info.st_dev), expected.minor);
    }

    void linkAndTildeLeadToTheVolume()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString link = dir.filePath(u"proc"_s);
        QVERIFY(QFile::link(u"/proc"_s, link));
        QString fileSystem;
        QVERIFY(tz::deviceMountPointFileSystemForFilePath(nullptr, nullptr, &fileSystem, link));
        QCOMPARE(fileSystem, u"proc"_s);

        QString home;
        QVERIFY(tz::deviceMountPointFileSystemForFilePath(nullptr, &home, nullptr, u"~/"_s));
        QCOMPARE(home, mountOf(QFileInfo(QDir::homePath()).canonicalFilePath()).mountPoint);
    }

    void missingPathSetsNothing()
    {
        QString device = u"unchanged"_s, mountPoint = u"unchanged"_s, fileSystem = u"unchanged"_s;
        QVERIFY(!tz::deviceMountPointFileSystemForFilePath(&device, &mountPoint, &fileSystem,
                                                           u"/nonexistent-folder-of-tests/x"_s));
        QVERIFY(!tz::deviceMountPointFileSystemForFilePath(&device, &mountPoint, &fileSystem, u""_s));
        QCOMPARE(device, u"unchanged"_s);
        QCOMPARE(mountPoint, u"unchanged"_s);
        QCOMPARE(fileSystem, u"unchanged"_s);
    }
};

QTEST_GUILESS_MAIN(TestDiskInfo)
#include "tst_TzNSFileManagerDiskInfo.moc"
