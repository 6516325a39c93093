#include "Carbon/FSExchangeObjects.h"

#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "PrivateMounts.h"

#include <fcntl.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// What a name shows: its contents and their date, and what stays with the name.
struct State
{
    QByteArray data;
    qint64 modified = 0;
    mode_t mode = 0;
    qint64 accessed = 0;
    QByteArray finderInfo;
    QByteArray fork;
    friend bool operator==(const State&, const State&) = default;
};

QByteArray finderInfo(char fill)
{
    return QByteArray(32, fill);
}

char* toString(const State& s)
{
    return qstrdup(QByteArray(s.data + " mtime " + QByteArray::number(s.modified) + " mode "
                              + QByteArray::number(s.mode, 8) + " atime " + QByteArray::number(s.accessed) + " finder "
                              + s.finderInfo.toHex().left(8) + " fork " + s.fork)
                       .constData());
}

} // namespace

// Two files with contents, dates, permissions, Finder information and resource forks, in one
// folder or two, exchanged natively or by the renaming path (forced), with each of its steps
// made to fail in turn.
class TestFSExchangeObjects : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }

    static bool setUp(const QString& path, const State& s)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(s.data) != s.data.size())
            return false;
        file.close();
        if (!s.fork.isNull() || s.finderInfo != finderInfo('\0')) {
            tz::AppleDouble companion;
            companion.filler = QByteArray(16, '\0');
            companion.setEntry(tz::appleDoubleFinderInfoEntry, s.finderInfo);
            if (!s.fork.isNull())
                companion.setEntry(tz::appleDoubleResourceForkEntry, s.fork);
            if (!tz::writeAppleDouble(path, companion))
                return false;
        }
        const struct timespec times[2] = {{time_t(s.accessed), 0}, {time_t(s.modified), 0}};
        return ::chmod(QFile::encodeName(path).constData(), s.mode) == 0
            && ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
    }
    static State stateOf(const QString& path)
    {
        State s;
        struct stat info
        {}; // before reading, which moves the access date
        if (::stat(QFile::encodeName(path).constData(), &info) != 0)
            return s;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return s;
        s.data = file.readAll();
        s.modified = info.st_mtim.tv_sec;
        s.accessed = info.st_atim.tv_sec;
        s.mode = info.st_mode & 07777;
        (void)tz::readFinderInfo(path, &s.finderInfo);
        tz::AppleDouble companion;
        if (tz::readAppleDouble(path, &companion) == tz::AppleDoubleStatus::Ok)
            s.fork = companion.entry(tz::appleDoubleResourceForkEntry);
        return s;
    }
    QStringList listing() const
    {
        QStringList all;
        for (const QString& folder : {u"p"_s, u"q"_s})
            for (const QString& name : QDir(at(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name))
                all.append(folder + u'/' + name);
        return all;
    }
    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }

    const State _source{"source data", 1000000000, 0640, 1100000000, finderInfo('S'), "source fork"};
    const State _destination{"destination data", 1200000000, 0604, 1300000000, finderInfo('D'), "destination fork"};
    const State _bare{"bare", 1400000000, 0600, 1500000000, finderInfo('\0'), QByteArray()};

private Q_SLOTS:
    void init()
    {
        _dir = std::make_unique<QTemporaryDir>();
        QVERIFY(_dir->isValid());
        _root = QDir(_dir->path()).canonicalPath();
        QVERIFY(QDir(_root).mkdir(u"p"_s) && QDir(_root).mkdir(u"q"_s));
    }
    void cleanup()
    {
        tz::setExchangeTestHooks({});
        QProcess::execute(u"chattr"_s, {u"-R"_s, u"-i"_s, _root});
        _dir.reset();
    }

    void exchange_data()
    {
        QTest::addColumn<bool>("renaming");
        QTest::addColumn<QString>("destinationPath");
        QTest::addColumn<bool>("bareDestination"); // without companion
        QTest::addColumn<int>("failAtStep");

        for (const bool renaming : {false, true}) {
            const char* how = renaming ? "renaming" : "native";
            QTest::addRow("%s, one folder", how) << renaming << u"p/d"_s << false << 0;
            QTest::addRow("%s, two folders", how) << renaming << u"q/d"_s << false << 0;
            QTest::addRow("%s, destination without companion", how) << renaming << u"q/d"_s << true << 0;
        }
        for (int step = 1; step <= 8; ++step)
            QTest::addRow("renaming, step %d fails", step) << true << u"q/d"_s << false << step;
        QTest::addRow("renaming, one folder, last step fails") << true << u"p/d"_s << false << 8;
    }
    void exchange()
    {
        QFETCH(bool, renaming);
        QFETCH(QString, destinationPath);
        QFETCH(bool, bareDestination);
        QFETCH(int, failAtStep);
        const State& destination = bareDestination ? _bare : _destination;
        const QString s = at(u"p/s"_s);
        const QString d = at(destinationPath);
        QVERIFY(setUp(s, _source));
        QVERIFY(setUp(d, destination));
        const QStringList before = listing();
        const tz::FSRef sourceRef = refOf(s);
        const tz::FSRef destRef = refOf(d);
        tz::setExchangeTestHooks({renaming, failAtStep, -47});

        tz::FSRef newSource;
        tz::FSRef newDest;
        const tz::OSErr status = tz::FSExchangeObjectsCompat(sourceRef, destRef, &newSource, &newDest);
        if (failAtStep != 0) {
            QCOMPARE(listing(), before);
            QCOMPARE(int(status), -47);
            QCOMPARE(stateOf(s), _source);
            QCOMPARE(stateOf(d), destination);
            QCOMPARE(newSource, sourceRef);
            QCOMPARE(newDest, destRef);
            QVERIFY(tz::FSRefValid(sourceRef) && tz::FSRefValid(destRef));
            return;
        }
        QCOMPARE(int(status), 0);
        // The source's resource fork gives the bare destination a companion.
        QStringList after = before;
        if (bareDestination)
            after.append(u"q/._d"_s);
        after.sort();
        QCOMPARE(listing(), after);
        // Contents, their date and resource fork cross; the rest stays with the name.
        const State atSource{destination.data, destination.modified, _source.mode,
                             _source.accessed, _source.finderInfo,   destination.fork};
        const State atDestination{_source.data,         _source.modified,       destination.mode,
                                  destination.accessed, destination.finderInfo, _source.fork};
        QCOMPARE(stateOf(s), atSource);
        QCOMPARE(stateOf(d), atDestination);
        QCOMPARE(newSource.path, d);
        QCOMPARE(newSource.node, sourceRef.node);
        QCOMPARE(newDest.path, s);
        QCOMPARE(newDest.node, destRef.node);
        QVERIFY(tz::FSRefValid(newSource) && tz::FSRefValid(newDest));
        QVERIFY(!tz::FSRefValid(sourceRef));
    }

    // A folder whose items cannot be renamed: the renaming path undoes its first rename, the
    // native exchange fails at once; either way nothing has changed.
    void realFailureIsUndone_data()
    {
        QTest::addColumn<bool>("renaming");
        QTest::newRow("native") << false;
        QTest::newRow("renaming") << true;
    }
    void realFailureIsUndone()
    {
        QFETCH(bool, renaming);
        const QString s = at(u"p/s"_s);
        const QString d = at(u"q/d"_s);
        QVERIFY(setUp(s, _source) && setUp(d, _destination));
        QCOMPARE(QProcess::execute(u"chattr"_s, {u"+i"_s, at(u"q"_s)}), 0);
        tz::setExchangeTestHooks({renaming, 0, 0});
        tz::FSRef newSource;
        tz::FSRef newDest;
        const tz::OSErr status = tz::FSExchangeObjectsCompat(refOf(s), refOf(d), &newSource, &newDest);
        QCOMPARE(QProcess::execute(u"chattr"_s, {u"-i"_s, at(u"q"_s)}), 0);
        QCOMPARE(int(status), -5000);
        QCOMPARE(listing(), (QStringList{u"p/._s"_s, u"p/s"_s, u"q/._d"_s, u"q/d"_s}));
        QCOMPARE(stateOf(s), _source);
        QCOMPARE(stateOf(d), _destination);
    }

    void refusals()
    {
        QVERIFY(setUp(at(u"p/s"_s), _source) && setUp(at(u"p/d"_s), _destination));
        const tz::FSRef s = refOf(at(u"p/s"_s));
        const tz::FSRef d = refOf(at(u"p/d"_s));
        tz::FSRef out;
        QCOMPARE(int(tz::FSExchangeObjectsCompat(s, d, nullptr, &out)), -50);
        QCOMPARE(int(tz::FSExchangeObjectsCompat(s, d, &out, nullptr)), -50);
        tz::FSRef other;
        QCOMPARE(int(tz::FSExchangeObjectsCompat(s, refOf(at(u"q"_s)), &out, &other)), -1302);
        QCOMPARE(int(tz::FSExchangeObjectsCompat(refOf(at(u"q"_s)), d, &out, &other)), -1302);
        QCOMPARE(int(tz::FSExchangeObjectsCompat(s, tz::FSRef{}, &out, &other)), -43);
        QCOMPARE(stateOf(at(u"p/s"_s)), _source);

        const QByteArray mountPoint = QFile::encodeName(at(u"q"_s));
        const int failed = inPrivateMounts([&]() -> int {
            if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") != 0)
                return 1;
            if (!setUp(at(u"q/d"_s), _destination))
                return 2;
            tz::FSRef a;
            tz::FSRef b;
            return tz::FSExchangeObjectsCompat(s, refOf(at(u"q/d"_s)), &a, &b) == -1303 ? 0 : 3;
        });
        QCOMPARE(failed, 0);
    }
};

QTEST_GUILESS_MAIN(TestFSExchangeObjects)
#include "tst_FSExchangeObjects.moc"
