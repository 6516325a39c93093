// The command line's output to places that fail (a reader that has gone, a full device) and its
// answer to hostile data files: the built program, run as a child process.
#include "SimulatedDrives.h"
#include "support/BinaryPlist.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_CommandLineOutput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void closedPipeEndsQuietly_data();
    void closedPipeEndsQuietly();
    void fullDeviceIsReported();
    void hostileFilesAreRefused_data();
    void hostileFilesAreRefused();

private:
    struct Result
    {
        int status = -1; // the exit status, or -1 when ended by a signal
        int signal = 0;
        QByteArray err;
    };
    // Runs the program with standard output on stdoutFd (closed in the parent before it waits).
    [[nodiscard]] Result run(const QStringList& arguments, int stdoutFd, bool ignoreSigpipe = false) const;
    [[nodiscard]] QString path(const QString& name) const { return _dir.filePath(name); }

    QTemporaryDir _dir;
};

void tst_CommandLineOutput::initTestCase()
{
    // Enough rows that the output fills a pipe several times over.
    QStringList entries;
    for (int i = 0; i < 3000; ++i)
        entries.append(testfiles::profileEntry(u"Vendor %1"_s.arg(i), u"VENDOR%1"_s.arg(i), {u"Model %1"_s.arg(i)}));
    QVERIFY(testfiles::write(path(u"big.drprofile"_s), testfiles::profile(entries)));
    QVERIFY(testfiles::write(path(u"none.plist"_s), testfiles::simulation({})));
}

tst_CommandLineOutput::Result tst_CommandLineOutput::run(const QStringList& arguments, int stdoutFd,
                                                         bool ignoreSigpipe) const
{
    int errPipe[2];
    if (::pipe(errPipe) != 0)
        return {};
    QList<QByteArray> args{QByteArray(BURNER_CATALOGUE_BIN)};
    for (const QString& argument : arguments)
        args.append(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : args)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(stdoutFd, STDOUT_FILENO);
        ::dup2(errPipe[1], STDERR_FILENO);
        ::close(errPipe[0]);
        ::signal(SIGPIPE, ignoreSigpipe ? SIG_IGN : SIG_DFL);
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(stdoutFd);
    ::close(errPipe[1]);
    Result result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(errPipe[0], buffer, sizeof buffer)) > 0;)
        result.err.append(buffer, n);
    ::close(errPipe[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

void tst_CommandLineOutput::closedPipeEndsQuietly_data()
{
    QTest::addColumn<bool>("ignoreSigpipe");
    QTest::newRow("SIGPIPE default") << false;
    QTest::newRow("SIGPIPE ignored by the parent") << true;
}

// As `burner-catalogue --list supported | head -1`: the reader has gone before the output is done.
void tst_CommandLineOutput::closedPipeEndsQuietly()
{
    QFETCH(bool, ignoreSigpipe);
    int out[2];
    QVERIFY(::pipe(out) == 0);
    ::close(out[0]);
    const Result result = run(
        {u"--list"_s, u"supported"_s, u"--profile"_s, path(u"big.drprofile"_s), u"--simulate"_s, path(u"none.plist"_s)},
        out[1], ignoreSigpipe);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.signal, SIGPIPE);
}

void tst_CommandLineOutput::fullDeviceIsReported()
{
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (full < 0)
        QSKIP("no /dev/full here");
    const Result result = run(
        {u"--list"_s, u"supported"_s, u"--profile"_s, path(u"big.drprofile"_s), u"--simulate"_s, path(u"none.plist"_s)},
        full);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.err, QByteArray("burner-catalogue: cannot write to standard output: No space left on device\n"));
}

void tst_CommandLineOutput::hostileFilesAreRefused_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("bytes");
    const struct
    {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"binary nested 100000 levels", testplist::deepBinary(100000)},
        {"xml nested 1000000 levels", testplist::deepXml(1000000)},
        {"binary arrays doubling 40 times", testplist::doublingChain(40)},
    };
    for (const auto& [name, bytes] : files) {
        QTest::addRow("--profile, %s", name) << u"--profile"_s << bytes;
        QTest::addRow("--simulate, %s", name) << u"--simulate"_s << bytes;
    }
}

// Each used to crash the program or exhaust its memory; now one line and status 2.
void tst_CommandLineOutput::hostileFilesAreRefused()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, bytes);
    const QString file = path(u"hostile"_s);
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(out.write(bytes), bytes.size());
    out.close();
    QStringList arguments{u"--list"_s, option == u"--profile" ? u"supported"_s : u"connected"_s, option, file};
    if (option == u"--profile")
        arguments += {u"--simulate"_s, path(u"none.plist"_s)};
    const int devnull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    const Result result = run(arguments, devnull);
    QCOMPARE(result.signal, 0);
    QCOMPARE(result.status, 2);
    QVERIFY2(result.err.startsWith("burner-catalogue: ") && result.err.contains(file.toLocal8Bit())
                 && result.err.count('\n') == 1,
             result.err.constData());
}

QTEST_APPLESS_MAIN(tst_CommandLineOutput)
#include "tst_CommandLineOutput.moc"
