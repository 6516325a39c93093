#include "Carbon/FSCatalogInfo.h"

#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

class TestFSCatalogInfo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }
    bool make(const QString& name) const
    {
        QFile file(at(name));
        return file.open(QIODevice::WriteOnly) && file.write("12345") == 5;
    }
    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }
    static bool chattr(const QString& flag, const QString& path)
    {
        return QProcess::execute(u"chattr"_s, {flag, path}) == 0;
    }

private Q_SLOTS:
    void init()
    {
        _dir = std::make_unique<QTemporaryDir>();
        QVERIFY(_dir->isValid());
        _root = QDir(_dir->path()).canonicalPath();
    }
    void cleanup()
    {
        QProcess::execute(u"chattr"_s, {u"-R"_s, u"-i"_s, _root});
        _dir.reset();
    }

    void readsWhatIsAsked()
    {
        QVERIFY(QDir(_root).mkpath(u"folder/sub"_s) && make(u"folder/f"_s) && make(u"folder/._f"_s));
        tz::FSCatalogInfo info;
        info.nodeID = 77;
        QCOMPARE(
            int(tz::FSGetCatalogInfo(refOf(at(u"folder"_s)),
                                     tz::fsCatInfoNodeFlags | tz::fsCatInfoValence | tz::fsCatInfoParentDirID, &info)),
            0);
        QCOMPARE(info.nodeFlags, tz::fsNodeIsDirectoryMask);
        QCOMPARE(info.valence, 2u); // the companion belongs to its file
        QCOMPARE(info.parentDirID, refOf(_root).node);
        QCOMPARE(info.nodeID, quint64(77)); // not asked, not touched

        QCOMPARE(int(tz::FSGetCatalogInfo(refOf(at(u"folder/f"_s)), tz::fsCatInfoDataSizes | tz::fsCatInfoPermissions,
                                          &info)),
                 0);
        QCOMPARE(info.dataLogicalSize, quint64(5));
        QCOMPARE(info.userID, 0u);
        QVERIFY(S_ISREG(info.mode));
        QCOMPARE(int(tz::FSGetCatalogInfo(refOf(at(u"folder/f"_s)), tz::fsCatInfoNodeFlags, nullptr)), -50);
    }

    void setsPermissionsDatesAndFinderInfo()
    {
        QVERIFY(make(u"f"_s));
        const tz::FSRef ref = refOf(at(u"f"_s));
        tz::FSCatalogInfo info;
        info.mode = 0604;
        info.userID = 0;
        info.groupID = 0;
        info.accessDate = {1100000000, 5};
        info.contentModDate = {1200000000, 7};
        info.createDate = {1, 0}; // read-only here: ignored
        info.finderInfo = QByteArray(16, '\3');
        info.extFinderInfo = QByteArray(16, '\0');
        QCOMPARE(int(tz::FSSetCatalogInfo(ref, tz::fsCatInfoSettableInfo, info)), 0);

        tz::FSCatalogInfo read;
        QCOMPARE(int(tz::FSGetCatalogInfo(ref, tz::fsCatInfoSettableInfo, &read)), 0);
        QCOMPARE(read.mode & 07777, 0604u);
        QCOMPARE(read.accessDate, (tz::FSDate{1100000000, 5}));
        QCOMPARE(read.contentModDate, (tz::FSDate{1200000000, 7}));
        QVERIFY(read.createDate.seconds > 1);
        QCOMPARE(read.finderInfo, QByteArray(16, '\3'));
        QCOMPARE(read.extFinderInfo, QByteArray(16, '\0'));

        // Only the fields in the mask are written.
        info.mode = 0600;
        info.finderInfo = QByteArray(16, '\0');
        QCOMPARE(int(tz::FSSetCatalogInfo(ref, tz::fsCatInfoAccessDate, info)), 0);
        QCOMPARE(int(tz::FSGetCatalogInfo(ref, tz::fsCatInfoSettableInfo, &read)), 0);
        QCOMPARE(read.mode & 07777, 0604u);
        QCOMPARE(read.finderInfo, QByteArray(16, '\3'));
        info.finderInfo = QByteArray(3, 'x');
        QCOMPARE(int(tz::FSSetCatalogInfo(ref, tz::fsCatInfoFinderInfo, info)), -50);
    }

    void copyFileMgrAttributes_data()
    {
        QTest::addColumn<bool>("copyLock");
        QTest::newRow("lock not copied") << false;
        QTest::newRow("lock copied") << true;
    }
    void copyFileMgrAttributes()
    {
        QFETCH(bool, copyLock);
        QVERIFY(make(u"source"_s) && make(u"copy"_s));
        const tz::FSRef source = refOf(at(u"source"_s));
        const tz::FSRef copy = refOf(at(u"copy"_s));
        tz::FSCatalogInfo info;
        info.mode = 0640;
        info.accessDate = {1100000000, 0};
        info.contentModDate = {1200000000, 0};
        // Type, creator, then the flags word: invisible (0x4000) and has-been-initialised (0x0100).
        info.finderInfo = QByteArray("TEXTttxt\x41\x00", 10) + QByteArray(6, '\0');
        info.extFinderInfo = QByteArray(16, '\5');
        QCOMPARE(int(tz::FSSetCatalogInfo(source, tz::fsCatInfoSettableInfo, info)), 0);
        QVERIFY(chattr(u"+i"_s, at(u"source"_s)));

        QCOMPARE(int(tz::FSCopyFileMgrAttributes(source, copy, copyLock)), 0);
        tz::FSCatalogInfo read;
        QCOMPARE(int(tz::FSGetCatalogInfo(copy, tz::fsCatInfoSettableInfo, &read)), 0);
        QCOMPARE(read.mode & 07777, 0640u);
        QCOMPARE(read.accessDate, info.accessDate);
        QCOMPARE(read.contentModDate, info.contentModDate);
        QCOMPARE(read.finderInfo, QByteArray("TEXTttxt\x40\x00", 10) + QByteArray(6, '\0'));
        QCOMPARE(read.extFinderInfo, info.extFinderInfo);
        QCOMPARE(bool(read.nodeFlags & tz::fsNodeLockedMask), copyLock);
    }
};

QTEST_GUILESS_MAIN(TestFSCatalogInfo)
#include "tst_FSCatalogInfo.moc"
