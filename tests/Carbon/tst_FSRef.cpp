#include "Carbon/FSRef.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "PrivateMounts.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// References in a real folder: a file, a folder, a link to the file, and items that change.
class TestFSRef : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }
    static void touch(const QString& path, const QByteArray& bytes = "x")
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    static quint64 inodeOf(const QString& path)
    {
        struct stat info
        {};
        return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
    }
    static bool chattr(const QString& flag, const QString& path)
    {
        return QProcess::execute(u"chattr"_s, {flag, path}) == 0;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
        touch(at(u"file"_s));
        QVERIFY(QDir(_root).mkdir(u"folder"_s));
        QVERIFY(QFile::link(at(u"file"_s), at(u"link"_s)));
        QVERIFY(QFile::link(at(u"folder"_s), at(u"folderLink"_s)));
    }

    void pathMakeRef_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("refPath"); // empty: the all-zero reference
        QTest::addColumn<QString>("nodeOf");  // the item whose inode the reference holds

        const QString file = at(u"file"_s);
        QTest::newRow("file") << file << 0 << file << file;
        QTest::newRow("folder with trailing slash") << at(u"folder/"_s) << 0 << at(u"folder"_s) << at(u"folder"_s);
        QTest::newRow("dot-dot and dot") << at(u"folder/.././file"_s) << 0 << file << file;
        QTest::newRow("link names the link") << at(u"link"_s) << 0 << at(u"link"_s) << at(u"link"_s);
        QTest::newRow("through a linked folder") << at(u"folderLink/../file"_s) << 0 << file << file;
        QTest::newRow("root") << u"/"_s << 0 << u"/"_s << u"/"_s;
        QTest::newRow("file with trailing slash") << at(u"file/"_s) << -43 << u""_s << u""_s;
        QTest::newRow("inside a file") << at(u"file/x"_s) << -43 << u""_s << u""_s;
        QTest::newRow("nothing there") << at(u"missing"_s) << -43 << u""_s << u""_s;
        QTest::newRow("missing folder") << at(u"missing/x"_s) << -43 << u""_s << u""_s;
        QTest::newRow("empty path") << u""_s << -43 << u""_s << u""_s;
        QTest::newRow("NUL inside") << file + QChar(0) + u"/x"_s << -37 << u""_s << u""_s;
    }
    void pathMakeRef()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QString, refPath);
        QFETCH(QString, nodeOf);
        tz::FSRef ref{u"stale"_s, 1, 2};
        QCOMPARE(int(tz::FSPathMakeRef(path, &ref)), status);
        QCOMPARE(ref.path, refPath);
        QCOMPARE(ref.isNull(), refPath.isEmpty());
        if (!nodeOf.isEmpty())
            QCOMPARE(ref.node, inodeOf(nodeOf));
        QCOMPARE(tz::FSRefValid(ref), status == 0);
        tz::FSRef viaBool;
        QCOMPARE(tz::getFSRef(path, &viaBool), status == 0);
        QCOMPARE(viaBool, ref);
    }

    void relativePathAndMissingOut()
    {
        const QString saved = QDir::currentPath();
        QVERIFY(QDir::setCurrent(at(u"folder"_s)));
        tz::FSRef ref;
        const tz::OSErr status = tz::FSPathMakeRef(u"../file"_s, &ref);
        QVERIFY(QDir::setCurrent(saved));
        QCOMPARE(int(status), 0);
        QCOMPARE(ref.path, at(u"file"_s));
        QCOMPARE(int(tz::FSPathMakeRef(at(u"file"_s), nullptr)), -50);
        QVERIFY(!tz::getFSRef(at(u"file"_s), nullptr));
    }

    void conversions()
    {
        tz::FSRef ref;
        QVERIFY(tz::getFSRef(QUrl::fromLocalFile(at(u"file"_s)), &ref));
        QCOMPARE(tz::stringWithFSRef(ref), at(u"file"_s));
        QCOMPARE(tz::URLWithFSRef(ref), QUrl::fromLocalFile(at(u"file"_s)));
        QVERIFY(!tz::getFSRef(QUrl(u"https://example.org/file"_s), &ref));
        QVERIFY(ref.isNull());
        QVERIFY(tz::stringWithFSRef(ref).isNull());
        QVERIFY(tz::URLWithFSRef(ref).isEmpty());

        // A path of more than 1024 bytes has a reference but no string.
        QString deep = _root;
        const QString longName(200, u'd');
        for (int i = 0; i < 6; ++i) {
            QVERIFY(QDir(deep).mkdir(longName));
            deep += u'/' + longName;
        }
        QVERIFY(tz::getFSRef(deep, &ref));
        QVERIFY(tz::stringWithFSRef(ref).isNull());
        QVERIFY(QDir(at(longName)).removeRecursively());
    }

    void replacedOrRemovedItemIsNoLongerValid()
    {
        const QString path = at(u"replaced"_s);
        touch(path);
        tz::FSRef ref;
        QVERIFY(tz::getFSRef(path, &ref));
        QVERIFY(tz::FSRefValid(ref));
        touch(path + u".new"_s); // exists before the old one goes, so its inode differs
        QVERIFY(::rename(QFile::encodeName(path + u".new"_s).constData(), QFile::encodeName(path).constData()) == 0);
        QVERIFY(!tz::FSRefValid(ref));
        QVERIFY(tz::stringWithFSRef(ref).isNull());
        QString name;
        QCOMPARE(int(tz::FSGetFileDirName(ref, &name)), -43);
        QCOMPARE(int(tz::FSCheckLock(ref)), -43);
        QVERIFY(QFile::remove(path));
        QVERIFY(!tz::FSRefValid(ref));
        QVERIFY(!tz::FSRefValid(tz::FSRef{}));
    }

    void parentNameAndNode()
    {
        tz::FSRef file;
        QVERIFY(tz::getFSRef(at(u"file"_s), &file));
        tz::FSRef parent;
        QCOMPARE(int(tz::FSGetParentRef(file, &parent)), 0);
        QCOMPARE(parent.path, _root);
        QVERIFY(tz::FSRefValid(parent));

        QString name;
        QCOMPARE(int(tz::FSGetFileDirName(file, &name)), 0);
        QCOMPARE(name, u"file"_s);
        quint64 node = 0;
        bool isFolder = true;
        QCOMPARE(int(tz::FSGetNodeID(file, &node, &isFolder)), 0);
        QCOMPARE(node, inodeOf(at(u"file"_s)));
        QVERIFY(!isFolder);
        QCOMPARE(int(tz::FSGetNodeID(parent, nullptr, &isFolder)), 0);
        QVERIFY(isFolder);
        QCOMPARE(int(tz::FSGetNodeID(parent, nullptr, nullptr)), 0);

        // Climbing ends at the root, whose parent is the all-zero reference.
        tz::FSRef up = parent;
        int steps = 0;
        while (!up.isNull() && steps < 100) {
            tz::FSRef next;
            QCOMPARE(int(tz::FSGetParentRef(up, &next)), 0);
            if (!next.isNull()) {
                QCOMPARE(next.path, up.path.left(qMax<qsizetype>(1, up.path.lastIndexOf(u'/'))));
            } else {
                QCOMPARE(up.path, u"/"_s);
                QCOMPARE(int(tz::FSGetFileDirName(up, &name)), 0);
                QCOMPARE(name, u"/"_s);
            }
            up = next;
            ++steps;
        }
        QVERIFY(up.isNull());
        QCOMPARE(int(tz::FSGetParentRef(file, nullptr)), -50);
        QCOMPARE(int(tz::FSGetFileDirName(file, nullptr)), -50);
    }

    void lockOfImmutableItems()
    {
        const QString path = at(u"immutable"_s);
        touch(path);
        tz::FSRef ref;
        QVERIFY(tz::getFSRef(path, &ref));
        QCOMPARE(int(tz::FSCheckLock(ref)), 0);
        QVERIFY(chattr(u"+i"_s, path));
        const tz::OSErr locked = tz::FSCheckLock(ref);
        QVERIFY(chattr(u"-i"_s, path));
        QCOMPARE(int(locked), -45);
        QCOMPARE(int(tz::FSCheckLock(ref)), 0);

        tz::FSRef folder;
        QVERIFY(tz::getFSRef(at(u"folder"_s), &folder));
        QVERIFY(chattr(u"+i"_s, at(u"folder"_s)));
        const tz::OSErr folderLocked = tz::FSCheckLock(folder);
        QVERIFY(chattr(u"-i"_s, at(u"folder"_s)));
        QCOMPARE(int(folderLocked), -45);
    }

    // Write permission counts for the process asking: root may write a 0444 file, nobody may not.
    void lockOfReadOnlyPermissions()
    {
        const QString path = at(u"readOnly"_s);
        touch(path);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        QVERIFY(::chmod(QFile::encodeName(_root).constData(), 0755) == 0);
        tz::FSRef ref;
        QVERIFY(tz::getFSRef(path, &ref));
        QCOMPARE(int(tz::FSCheckLock(ref)), 0);
        tz::FSRef writable;
        QVERIFY(tz::getFSRef(at(u"file"_s), &writable));

        QVERIFY(::seteuid(65534) == 0);
        const tz::OSErr asNobody = tz::FSCheckLock(ref);
        const tz::OSErr othersFile = tz::FSCheckLock(writable); // 0644, owned by root
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(int(asNobody), -45);
        QCOMPARE(int(othersFile), -45);
    }

    // A read-only bind mount in a private mount namespace of a child process: the volume is
    // write-protected, and a locked item still reports its lock first.
    void lockOnReadOnlyMount()
    {
        const QString mountDir = at(u"mounted"_s);
        QVERIFY(QDir(_root).mkdir(u"mounted"_s));
        touch(mountDir + u"/plain"_s);
        touch(mountDir + u"/locked"_s);
        QVERIFY(chattr(u"+i"_s, mountDir + u"/locked"_s));
        const QByteArray dir = QFile::encodeName(mountDir);

        const int failed = inPrivateMounts([&] {
            if (!bindMount(dir, true))
                return 1;
            tz::FSRef plain;
            tz::FSRef locked;
            tz::FSRef folder;
            if (!tz::getFSRef(mountDir + u"/plain"_s, &plain) || !tz::getFSRef(mountDir + u"/locked"_s, &locked)
                || !tz::getFSRef(mountDir, &folder))
                return 2;
            if (tz::FSCheckLock(plain) != -44)
                return 3;
            if (tz::FSCheckLock(locked) != -45)
                return 4;
            return tz::FSCheckLock(folder) == -44 ? 0 : 5;
        });
        QVERIFY(chattr(u"-i"_s, mountDir + u"/locked"_s));
        QCOMPARE(failed, 0);
    }
};

QTEST_GUILESS_MAIN(TestFSRef)
#include "tst_FSRef.moc"
