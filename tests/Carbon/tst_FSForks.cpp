#include "Carbon/FSForks.h"

#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

class TestFSForks : public QObject
{
    Q_OBJECT

    QTemporaryDir _dir;
    QString _root;

    QString at(const QString& name) const { return _root + u'/' + name; }
    static bool write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool writeCompanion(const QString& path, const QList<tz::AppleDoubleEntry>& entries)
    {
        tz::AppleDouble file;
        file.filler = QByteArray(16, '\0');
        file.entries = entries;
        return write(tz::appleDoubleCompanionPath(path), tz::serializeAppleDouble(file));
    }
    static tz::FSRef refOf(const QString& path)
    {
        tz::FSRef ref;
        if (!tz::getFSRef(path, &ref))
            qWarning("no reference for %s", qPrintable(path));
        return ref;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        _root = QDir(_dir.path()).canonicalPath();
    }

    void forkSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("status");
        QTest::addColumn<quint64>("data");
        QTest::addColumn<quint64>("resource");
        QTest::addColumn<int>("totalStatus");
        QTest::addColumn<quint32>("forks");

        QVERIFY(write(at(u"plain"_s), "12345"));
        QVERIFY(write(at(u"withFork"_s), "12345"));
        QVERIFY(writeCompanion(at(u"withFork"_s), {{9, QByteArray(32, '\1')}, {2, QByteArray(100, 'r')}}));
        QVERIFY(write(at(u"emptyFork"_s), ""));
        QVERIFY(writeCompanion(at(u"emptyFork"_s), {{2, QByteArray("")}}));
        QVERIFY(write(at(u"finderOnly"_s), "abc"));
        QVERIFY(writeCompanion(at(u"finderOnly"_s), {{9, QByteArray(32, '\1')}}));
        QVERIFY(write(at(u"malformed"_s), "abc"));
        QVERIFY(write(tz::appleDoubleCompanionPath(at(u"malformed"_s)), "not an AppleDouble file"));
        QVERIFY(QDir(_root).mkdir(u"folder"_s));

        QTest::newRow("no companion") << u"plain"_s << 0 << quint64(5) << quint64(0) << 0 << 1u;
        QTest::newRow("resource fork") << u"withFork"_s << 0 << quint64(5) << quint64(100) << 0 << 2u;
        QTest::newRow("empty resource fork still a fork") << u"emptyFork"_s << 0 << quint64(0) << quint64(0) << 0 << 2u;
        QTest::newRow("Finder information only") << u"finderOnly"_s << 0 << quint64(3) << quint64(0) << 0 << 1u;
        QTest::newRow("malformed companion") << u"malformed"_s << -36 << quint64(0) << quint64(0) << -36 << 0u;
        QTest::newRow("folder") << u"folder"_s << -1302 << quint64(0) << quint64(0) << 0 << 0u;
    }
    void forkSizes()
    {
        QFETCH(QString, name);
        QFETCH(int, status);
        QFETCH(quint64, data);
        QFETCH(quint64, resource);
        QFETCH(int, totalStatus);
        QFETCH(quint32, forks);
        const tz::FSRef ref = refOf(at(name));
        quint64 dataSize = 99;
        quint64 resourceSize = 99;
        QCOMPARE(int(tz::FSGetForkSizes(ref, &dataSize, &resourceSize)), status);
        if (status == 0) {
            QCOMPARE(dataSize, data);
            QCOMPARE(resourceSize, resource);
            QCOMPARE(int(tz::FSGetForkSizes(ref, nullptr, &resourceSize)), 0);
            QCOMPARE(int(tz::FSGetForkSizes(ref, &dataSize, nullptr)), 0);
        }
        quint64 logical = 99;
        quint64 physical = 0;
        quint32 count = 99;
        QCOMPARE(int(tz::FSGetTotalForkSizes(ref, &logical, &physical, &count)), totalStatus);
        if (totalStatus == 0) {
            QCOMPARE(logical, data + resource);
            QVERIFY(physical >= logical);
            QCOMPARE(count, forks);
            QCOMPARE(int(tz::FSGetTotalForkSizes(ref, nullptr, nullptr, nullptr)), 0);
        }
        QCOMPARE(int(tz::FSGetForkSizes(tz::FSRef{}, &dataSize, &resourceSize)), -43);
    }

    void finderInfoWithoutCompanionIsZero()
    {
        QVERIFY(write(at(u"bare"_s), "x"));
        const tz::FSRef ref = refOf(at(u"bare"_s));
        QByteArray info = "x";
        QByteArray extended = "x";
        bool folder = true;
        QCOMPARE(int(tz::FSGetFinderInfo(ref, &info, &extended, &folder)), 0);
        QCOMPARE(info, QByteArray(16, '\0'));
        QCOMPARE(extended, QByteArray(16, '\0'));
        QVERIFY(!folder);
        QCOMPARE(int(tz::FSGetFinderInfo(ref, nullptr, nullptr, nullptr)), 0);
        // Writing zeros over nothing creates nothing.
        QCOMPARE(int(tz::FSSetFinderInfo(ref, QByteArray(16, '\0'), QByteArray(16, '\0'))), 0);
        QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(at(u"bare"_s))));
    }

    void finderInfoHalvesAreWrittenApart()
    {
        QVERIFY(write(at(u"flagged"_s), "x"));
        const tz::FSRef ref = refOf(at(u"flagged"_s));
        const QByteArray info = QByteArray("TEXTttxt\x40\x00", 10) + QByteArray(6, '\0');
        QCOMPARE(int(tz::FSSetFinderInfo(ref, info, QByteArray())), 0);
        QVERIFY(QFile::exists(tz::appleDoubleCompanionPath(at(u"flagged"_s))));
        tz::AppleDouble companion;
        QCOMPARE(tz::readAppleDouble(at(u"flagged"_s), &companion), tz::AppleDoubleStatus::Ok);
        QCOMPARE(companion.entries.size(), 1);
        QCOMPARE(companion.entry(9), info + QByteArray(16, '\0'));

        const QByteArray extended(16, '\7');
        QCOMPARE(int(tz::FSSetFinderInfo(ref, QByteArray(), extended)), 0);
        QByteArray gotInfo;
        QByteArray gotExtended;
        QCOMPARE(int(tz::FSGetFinderInfo(ref, &gotInfo, &gotExtended, nullptr)), 0);
        QCOMPARE(gotInfo, info);
        QCOMPARE(gotExtended, extended);

        QCOMPARE(int(tz::FSSetFinderInfo(ref, QByteArray(15, 'x'), QByteArray())), -50);
        QCOMPARE(int(tz::FSSetFinderInfo(ref, QByteArray(), QByteArray(17, 'x'))), -50);
        QCOMPARE(int(tz::FSGetFinderInfo(ref, &gotInfo, nullptr, nullptr)), 0);
        QCOMPARE(gotInfo, info);

        // All zero again: the companion goes.
        QCOMPARE(int(tz::FSSetFinderInfo(ref, QByteArray(16, '\0'), QByteArray(16, '\0'))), 0);
        QVERIFY(!QFile::exists(tz::appleDoubleCompanionPath(at(u"flagged"_s))));
    }

    void finderInfoOfFolderAndMalformedCompanion()
    {
        QVERIFY(QDir(_root).mkdir(u"box"_s));
        const tz::FSRef box = refOf(at(u"box"_s));
        bool folder = false;
        QCOMPARE(int(tz::FSSetFinderInfo(box, QByteArray(16, '\1'), QByteArray())), 0);
        QByteArray info;
        QCOMPARE(int(tz::FSGetFinderInfo(box, &info, nullptr, &folder)), 0);
        QVERIFY(folder);
        QCOMPARE(info, QByteArray(16, '\1'));

        QVERIFY(write(at(u"broken"_s), "x"));
        const QByteArray garbage = "\x00\x05\x16\x07garbage";
        QVERIFY(write(tz::appleDoubleCompanionPath(at(u"broken"_s)), garbage));
        const tz::FSRef broken = refOf(at(u"broken"_s));
        QCOMPARE(int(tz::FSGetFinderInfo(broken, &info, nullptr, nullptr)), -36);
        QCOMPARE(int(tz::FSSetFinderInfo(broken, QByteArray(16, '\1'), QByteArray())), -36);
        QCOMPARE(read(tz::appleDoubleCompanionPath(at(u"broken"_s))), garbage);
    }

    void copyFork_data()
    {
        QTest::addColumn<int>("bufferSize");
        QTest::newRow("one byte") << 1;
        QTest::newRow("odd small") << 100;
        QTest::newRow("just under a block") << 4095;
        QTest::newRow("one block") << 4096;
        QTest::newRow("rounded down to two blocks") << 10000;
        QTest::newRow("larger than the file") << (1 << 20);
    }
    void copyFork()
    {
        QFETCH(int, bufferSize);
        QByteArray source(3 * 4096 + 17, Qt::Uninitialized);
        for (qsizetype i = 0; i < source.size(); ++i)
            source[i] = char(i * 7 + i / 251);
        QVERIFY(write(at(u"source"_s), source));
        QVERIFY(write(at(u"destination"_s), QByteArray(5 * 4096, 'd'))); // longer: must be cut
        const int from = ::open(QFile::encodeName(at(u"source"_s)).constData(), O_RDONLY | O_CLOEXEC);
        const int to = ::open(QFile::encodeName(at(u"destination"_s)).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(from >= 0 && to >= 0);
        char scratch[10];
        QCOMPARE(::read(from, scratch, sizeof scratch), ssize_t(sizeof scratch)); // not at the start
        const auto buffer = std::make_unique<char[]>(size_t(bufferSize));
        const tz::OSErr status = tz::FSCopyFork(from, to, std::span<char>(buffer.get(), size_t(bufferSize)));
        ::close(from);
        ::close(to);
        QCOMPARE(int(status), 0);
        QCOMPARE(read(at(u"destination"_s)), source);
    }

    void copyForkErrors()
    {
        QVERIFY(write(at(u"small"_s), "abc"));
        const int from = ::open(QFile::encodeName(at(u"small"_s)).constData(), O_RDONLY | O_CLOEXEC);
        const int readOnly = ::open(QFile::encodeName(at(u"small"_s)).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(from >= 0 && readOnly >= 0);
        std::vector<char> buffer(4096);
        QCOMPARE(int(tz::FSCopyFork(from, readOnly, std::span<char>())), -50);
        QCOMPARE(int(tz::FSCopyFork(from, -1, buffer)), -51);
        QCOMPARE(int(tz::FSCopyFork(-1, readOnly, buffer)), -51);
        QVERIFY(tz::FSCopyFork(from, readOnly, buffer) != 0); // cannot be cut or written
        ::close(from);
        ::close(readOnly);
        QCOMPARE(read(at(u"small"_s)), QByteArray("abc"));
    }

    // The reference of an open file follows renames and ends with removal.
    void referenceOfOpenFile()
    {
        QVERIFY(write(at(u"open"_s), "x"));
        const int fd = ::open(QFile::encodeName(at(u"open"_s)).constData(), O_RDONLY | O_CLOEXEC);
        QVERIFY(fd >= 0);
        tz::FSRef ref;
        QCOMPARE(int(tz::FileRefNumGetFSRef(fd, &ref)), 0);
        QCOMPARE(ref, refOf(at(u"open"_s)));
        QVERIFY(QFile::rename(at(u"open"_s), at(u"renamed"_s)));
        QCOMPARE(int(tz::FileRefNumGetFSRef(fd, &ref)), 0);
        QCOMPARE(ref.path, at(u"renamed"_s));
        QVERIFY(QFile::remove(at(u"renamed"_s)));
        QCOMPARE(int(tz::FileRefNumGetFSRef(fd, &ref)), -43);
        QVERIFY(ref.isNull());
        ::close(fd);
        QCOMPARE(int(tz::FileRefNumGetFSRef(fd, &ref)), -51);
        int pipeEnds[2];
        QCOMPARE(::pipe(pipeEnds), 0);
        QCOMPARE(int(tz::FileRefNumGetFSRef(pipeEnds[0], &ref)), -43);
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        QCOMPARE(int(tz::FileRefNumGetFSRef(0, nullptr)), -50);
    }
};

QTEST_GUILESS_MAIN(TestFSForks)
#include "tst_FSForks.moc"
