#include "Carbon/FSContainers.h"

#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "PrivateMounts.h"

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// Trees in a real temporary folder, rebuilt for every test.
class TestFSContainers : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }
    bool make(const QString& name, const QByteArray& bytes = "x") const
    {
        QFile file(at(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    bool folder(const QString& name) const { return QDir(_root).mkpath(name); }
    static bool chattr(const QString& flag, const QString& path)
    {
        return QProcess::execute(u"chattr"_s, {flag, path}) == 0;
    }
    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }
    QStringList namesIn(const QString& name) const
    {
        return QDir(at(name)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }

    // r/a with its companion, an orphan companion, two nested folders, a link to a folder.
    bool buildWalkTree() const
    {
        return folder(u"r/d1/d2"_s) && make(u"r/a"_s, "12345") && make(u"r/._a"_s) && make(u"r/._orphan"_s)
            && make(u"r/d1/b"_s) && make(u"r/d1/d2/c"_s) && QFile::link(at(u"r/d1"_s), at(u"r/link"_s));
    }

    struct Seen
    {
        QString path;
        quint32 depth;
        bool isFolder;
    };
    QList<Seen> walk(quint32 maxLevels, const QString& stopAt, tz::OSErr* status) const
    {
        QList<Seen> seen;
        const QString base = at(u"r/"_s);
        *status = tz::FSIterateContainer(
            refOf(at(u"r"_s)), maxLevels, 0, true,
            [&](const tz::FSRef& ref, const tz::FSCatalogInfo& info, quint32 depth, const QString* name) {
                const QString relative = ref.path.sliced(base.size());
                if (!name || *name != relative.section(u'/', -1))
                    qWarning("wrong name for %s", qPrintable(relative));
                seen.append({relative, depth, (info.nodeFlags & tz::fsNodeIsDirectoryMask) != 0});
                return relative == stopAt;
            });
        return seen;
    }
    static QString shown(const QList<Seen>& seen)
    {
        QStringList parts;
        for (const Seen& s : seen)
            parts.append(s.path + u':' + QString::number(s.depth) + (s.isFolder ? u"/"_s : u""_s));
        return parts.join(u' ');
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
        QProcess unlock; // links answer "not supported"; only the files and folders matter
        unlock.setStandardErrorFile(QProcess::nullDevice());
        unlock.start(u"chattr"_s, {u"-R"_s, u"-i"_s, _root});
        unlock.waitForFinished();
        _dir.reset();
    }

    // Locked files and folders, a folder without permissions, companions, and links that lead
    // out of the tree: everything inside goes, nothing outside does.
    void deleteContentsStaysInsideTheTree()
    {
        QVERIFY(folder(u"top/sub/deeper"_s) && folder(u"top/lockedDir"_s) && folder(u"top/closed"_s)
                && folder(u"outside/inner"_s));
        QVERIFY(make(u"top/a.txt"_s) && make(u"top/._a.txt"_s) && make(u"top/sub/b"_s) && make(u"top/sub/deeper/c"_s)
                && make(u"top/locked"_s) && make(u"top/lockedDir/x"_s) && make(u"top/closed/y"_s)
                && make(u"outside/keep.txt"_s) && make(u"outside/inner/keep2"_s));
        QVERIFY(QFile::link(at(u"outside"_s), at(u"top/linkOut"_s)));
        QVERIFY(QFile::link(at(u"outside/keep.txt"_s), at(u"top/sub/fileLinkOut"_s)));
        QVERIFY(QFile::link(u"../../outside/inner"_s, at(u"top/sub/relativeLinkOut"_s)));
        QVERIFY(chattr(u"+i"_s, at(u"top/locked"_s)));
        QVERIFY(chattr(u"+i"_s, at(u"top/lockedDir"_s)));
        QVERIFY(::chmod(QFile::encodeName(at(u"top/closed"_s)).constData(), 0) == 0);

        QCOMPARE(int(tz::FSDeleteContainerContents(refOf(at(u"top"_s)))), 0);
        QCOMPARE(namesIn(u"top"_s), QStringList());
        QCOMPARE(namesIn(u"outside"_s), (QStringList{u"inner"_s, u"keep.txt"_s}));
        QCOMPARE(namesIn(u"outside/inner"_s), QStringList{u"keep2"_s});
    }

    void deleteContainerTakesItsCompanion()
    {
        QVERIFY(folder(u"box/inner"_s) && make(u"box/inner/f"_s) && make(u"._box"_s) && make(u"other"_s));
        QCOMPARE(int(tz::FSDeleteContainer(refOf(at(u"box"_s)))), 0);
        QCOMPARE(namesIn(u""_s), QStringList{u"other"_s});
    }

    void deleteRefusesWhatIsNoFolder()
    {
        QVERIFY(folder(u"target"_s) && make(u"target/keep"_s) && make(u"file"_s));
        QVERIFY(QFile::link(at(u"target"_s), at(u"link"_s)));
        QCOMPARE(int(tz::FSDeleteContainer(refOf(at(u"file"_s)))), -120);
        QCOMPARE(int(tz::FSDeleteContainerContents(refOf(at(u"file"_s)))), -120);
        // A link to a folder is no folder: its target is left alone.
        QCOMPARE(int(tz::FSDeleteContainerContents(refOf(at(u"link"_s)))), -120);
        QCOMPARE(int(tz::FSDeleteContainer(refOf(at(u"link"_s)))), -120);
        QCOMPARE(namesIn(u"target"_s), QStringList{u"keep"_s});
        QCOMPARE(int(tz::FSDeleteContainer(tz::FSRef{})), -43);
    }

    // A file system mounted inside the tree is not emptied; the deletion stops there.
    void deleteStopsAtAMountPoint()
    {
        QVERIFY(folder(u"top/mnt"_s) && make(u"top/a"_s));
        const QString top = at(u"top"_s);
        const QByteArray mountPoint = QFile::encodeName(at(u"top/mnt"_s));
        const int failed = inPrivateMounts([&]() -> int {
            if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") != 0)
                return 1;
            QFile inside(at(u"top/mnt/precious"_s));
            if (!inside.open(QIODevice::WriteOnly))
                return 2;
            inside.close();
            if (tz::FSDeleteContainerContents(refOf(top)) != -1303)
                return 3;
            return QFile::exists(at(u"top/mnt/precious"_s)) ? 0 : 4;
        });
        QCOMPARE(failed, 0);
    }

    void walk_data()
    {
        QTest::addColumn<quint32>("maxLevels");
        QTest::addColumn<QString>("stopAt");
        QTest::addColumn<QString>("expected");

        const QString all = u"._orphan:1 a:1 d1:1/ d1/b:2 d1/d2:2/ d1/d2/c:3 link:1"_s;
        QTest::newRow("whole tree, links not entered") << 0u << u""_s << all;
        QTest::newRow("one level") << 1u << u""_s << u"._orphan:1 a:1 d1:1/ link:1"_s;
        QTest::newRow("two levels") << 2u << u""_s << u"._orphan:1 a:1 d1:1/ d1/b:2 d1/d2:2/ link:1"_s;
        QTest::newRow("filter stops the walk") << 0u << u"d1/b"_s << u"._orphan:1 a:1 d1:1/ d1/b:2"_s;
        QTest::newRow("filter stops at a folder") << 0u << u"d1"_s << u"._orphan:1 a:1 d1:1/"_s;
    }
    void walk()
    {
        QFETCH(quint32, maxLevels);
        QFETCH(QString, stopAt);
        QFETCH(QString, expected);
        QVERIFY(buildWalkTree());
        tz::OSErr status = 1;
        const QList<Seen> seen = walk(maxLevels, stopAt, &status);
        QCOMPARE(int(status), 0);
        QCOMPARE(shown(seen), expected);
    }

    void walkInformationAndErrors()
    {
        QVERIFY(buildWalkTree());
        quint64 sizeOfA = 0;
        int withoutName = 0;
        const tz::OSErr status = tz::FSIterateContainer(
            refOf(at(u"r"_s)), 1, tz::fsCatInfoDataSizes, false,
            [&](const tz::FSRef& ref, const tz::FSCatalogInfo& info, quint32, const QString* name) {
                withoutName += name == nullptr;
                if (ref.path.endsWith(u"/a"))
                    sizeOfA = info.dataLogicalSize;
                return false;
            });
        QCOMPARE(int(status), 0);
        QCOMPARE(withoutName, 4);
        QCOMPARE(sizeOfA, quint64(5));
        QCOMPARE(int(tz::FSIterateContainer(refOf(at(u"r"_s)), 0, 0, false, {})), -50);
        const auto never = [](const tz::FSRef&, const tz::FSCatalogInfo&, quint32, const QString*) { return false; };
        QCOMPARE(int(tz::FSIterateContainer(refOf(at(u"r/a"_s)), 0, 0, false, never)), -120);
    }

    // A folder this process may not read is reported but passed over, without an error.
    void walkPassesOverUnreadableFolders()
    {
        QVERIFY(buildWalkTree());
        QVERIFY(::chmod(QFile::encodeName(_root).constData(), 0755) == 0);
        QVERIFY(::chmod(QFile::encodeName(at(u"r/d1"_s)).constData(), 0700) == 0);
        QVERIFY(::seteuid(65534) == 0);
        tz::OSErr status = 1;
        const QList<Seen> seen = walk(0, u""_s, &status);
        QVERIFY(::seteuid(0) == 0);
        QCOMPARE(int(status), 0);
        QCOMPARE(shown(seen), u"._orphan:1 a:1 d1:1/ link:1"_s);
    }

    void directoryItems()
    {
        QVERIFY(buildWalkTree());
        QList<tz::FSRef> refs{tz::FSRef{u"stale"_s, 1, 1}};
        qsizetype count = -1;
        bool changed = true;
        QCOMPARE(int(tz::FSGetDirectoryItems(refOf(at(u"r"_s)), &refs, &count, &changed)), 0);
        QCOMPARE(count, 4);
        QCOMPARE(refs.size(), 4);
        QStringList paths;
        for (const tz::FSRef& ref : refs) {
            QVERIFY(tz::FSRefValid(ref));
            paths.append(ref.path);
        }
        QCOMPARE(paths, (QStringList{at(u"r/._orphan"_s), at(u"r/a"_s), at(u"r/d1"_s), at(u"r/link"_s)}));
        QVERIFY(!changed);

        QCOMPARE(int(tz::FSGetDirectoryItems(refOf(at(u"r/a"_s)), &refs, &count, nullptr)), -120);
        QVERIFY(refs.isEmpty());
        QCOMPARE(count, 0);
        QCOMPARE(int(tz::FSGetDirectoryItems(refOf(at(u"r"_s)), nullptr, &count, nullptr)), -50);
        QCOMPARE(int(tz::FSGetDirectoryItems(refOf(at(u"r"_s)), &refs, nullptr, nullptr)), -50);
    }
};

QTEST_GUILESS_MAIN(TestFSContainers)
#include "tst_FSContainers.moc"
