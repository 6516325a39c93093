#include "Functions/SetOpenFilesLimit.h"

#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tz;

namespace {

struct ChildResult
{
    int status = 99;
    qint64 soft = -1;
    qint64 hard = -1;
};

// Runs SetOpenFilesLimit(limit) in a child whose soft limit starts at startSoft, so the
// test's own limit stays as it is.
ChildResult runInChild(rlim_t startSoft, qint64 limit)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        rlimit start{};
        ::getrlimit(RLIMIT_NOFILE, &start);
        start.rlim_cur = startSoft;
        ChildResult result;
        if (::setrlimit(RLIMIT_NOFILE, &start) == 0) {
            result.status = SetOpenFilesLimit(limit);
            rlimit after{};
            ::getrlimit(RLIMIT_NOFILE, &after);
            result.soft = qint64(after.rlim_cur);
            result.hard = qint64(after.rlim_max);
        }
        const bool written = ::write(fds[1], &result, sizeof result) == ssize_t(sizeof result);
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    ChildResult result;
    if (pid < 0 || ::read(fds[0], &result, sizeof result) != ssize_t(sizeof result))
        result = {};
    ::close(fds[0]);
    int exitStatus = 0;
    if (pid > 0)
        ::waitpid(pid, &exitStatus, 0);
    return result;
}

} // namespace

class tst_SetOpenFilesLimit : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void raisesNeverLowers_data();
    void raisesNeverLowers();
};

void tst_SetOpenFilesLimit::raisesNeverLowers_data()
{
    rlimit own{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &own), 0);
    QVERIFY2(own.rlim_max >= 256, "the hard limit of open files is too low for this test");
    const qint64 hard = qint64(own.rlim_max);

    QTest::addColumn<qint64>("limit");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("soft");
    QTest::newRow("raised") << qint64(128) << 0 << qint64(128);
    QTest::newRow("up to the hard limit") << hard << 0 << hard;
    QTest::newRow("equal: unchanged") << qint64(64) << 0 << qint64(64);
    QTest::newRow("below: unchanged") << qint64(32) << 0 << qint64(64);
    QTest::newRow("negative: unchanged") << qint64(-1) << 0 << qint64(64);
    if (own.rlim_max != RLIM_INFINITY)
        QTest::newRow("above the hard limit fails, unchanged") << hard + 1 << -1 << qint64(64);
}

void tst_SetOpenFilesLimit::raisesNeverLowers()
{
    QFETCH(qint64, limit);
    QFETCH(int, status);
    QFETCH(qint64, soft);
    rlimit before{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &before), 0);

    const ChildResult result = runInChild(64, limit);
    QCOMPARE(result.status, status);
    QCOMPARE(result.soft, soft);
    QCOMPARE(result.hard, qint64(before.rlim_max));

    rlimit after{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &after), 0);
    QCOMPARE(after.rlim_cur, before.rlim_cur);
}

QTEST_APPLESS_MAIN(tst_SetOpenFilesLimit)
#include "tst_SetOpenFilesLimit.moc"
