#include "Foundation_Additions/SynchronousTaskWrapper/SynchronousTaskWrapper.h"

#include "Foundation/AutoreleaseScope.h"

#include "support/StdErrCapture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>

using namespace Qt::StringLiterals;
using tz::SynchronousTaskWrapper;

namespace {

const QString helper = QStringLiteral(TZ_TASK_HELPER);

QByteArray letters(qsizetype count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

// True when no process (running or zombie) with the id written to the file exists.
bool processGone(const QString& pidFile)
{
    QFile file(pidFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const int pid = file.readAll().trimmed().toInt();
    return pid > 0 && ::kill(pid, 0) == -1 && errno == ESRCH;
}

} // namespace

class TestSynchronousTaskWrapper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(_dir.isValid());
        // Bare names are looked up in the working directory first: make it one we control.
        QVERIFY(QDir::setCurrent(_dir.path()));
        QVERIFY(QDir().mkdir(u"printf"_s));
        QFile plain(u"not-executable"_s);
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("#!/bin/sh\n");
        qputenv("TZ_TASK_HELPER_PID_FILE", QFile::encodeName(_dir.filePath(u"pid"_s)));
        // The helper's folder is on PATH, which bare names must not use.
        qputenv("PATH", QFile::encodeName(QFileInfo(helper).path()) + ':' + qgetenv("PATH"));
    }

    void run_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("askErrors");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("errors");
        // What must appear on our standard error; empty: nothing may.
        QTest::addColumn<QString>("stderrHas");

        const QByteArray none;
        const QByteArray empty("");
        const QString noText;
        const QString emptyText(u""_s);
        QTest::newRow("bare name under /usr/bin") << u"true"_s << QStringList() << false << empty << noText << u""_s;
        QTest::newRow("bare name of a folder here: /usr/bin tried")
            << u"printf"_s << QStringList{u"a%sc"_s, u"b"_s} << true << QByteArray("abc") << emptyText << u""_s;
        QTest::newRow("relative path of two components, missing")
            << u"no/true"_s << QStringList() << true << none << noText << u""_s;
        QTest::newRow("existing folder path") << _dir.path() << QStringList() << true << none << noText << u""_s;
        QTest::newRow("empty path") << u""_s << QStringList() << true << none << noText << u""_s;
        QTest::newRow("PATH is not searched")
            << u"tz_task_helper"_s << QStringList() << false << none << noText << u""_s;
        QTest::newRow("writes nothing") << helper << QStringList() << false << empty << noText << u""_s;
        QTest::newRow("arguments verbatim") << helper << QStringList{u"--args"_s, u"a b"_s, u""_s, u"\u00e9"_s} << false
                                            << QByteArray("a b\n\n\xc3\xa9\n") << noText << u""_s;
        QTest::newRow("output in many chunks")
            << helper << QStringList{u"--out"_s, u"3000000"_s} << false << letters(3000000) << noText << u""_s;
        QTest::newRow("status 3: output kept, logged")
            << helper << QStringList{u"--out"_s, u"3"_s, u"--exit"_s, u"3"_s} << false << QByteArray("abc") << noText
            << u"(-[SynchronousTaskWrapper(privateMethods) executeTaskWithErrors:]) Task ended badly. Status: 3, "
               "arguments: (\n    --out,\n    3,\n    --exit,\n    3\n)"_s;
        QTest::newRow("errors asked, none written")
            << helper << QStringList{u"--out"_s, u"2"_s} << true << QByteArray("ab") << emptyText << u""_s;
        QTest::newRow("errors collected, more than a pipe holds")
            << helper << QStringList{u"--err"_s, u"2000000"_s, u"--out"_s, u"1"_s} << true << QByteArray("a")
            << QString(2000000, u'e') << u""_s;
        QTest::newRow("errors not asked go to ours")
            << helper << QStringList{u"--err"_s, u"3"_s} << false << empty << noText << u"eee"_s;
        QTest::newRow("errors not UTF-8") << helper << QStringList{u"--bad-utf8-err"_s, u"--out"_s, u"1"_s} << true
                                          << QByteArray("a") << noText << u""_s;
        QTest::newRow("output drained after the child exits")
            << helper << QStringList{u"--out"_s, u"2"_s, u"--late-writer"_s, u"0.3"_s} << false << QByteArray("ablate")
            << noText << u""_s;
        QTest::newRow("closes output and keeps running: terminated")
            << helper << QStringList{u"--out"_s, u"3"_s, u"--close-stdout"_s, u"--linger"_s, u"60"_s} << false
            << QByteArray("abc") << noText << u"Task ended badly. Status: 15,"_s;
        QTest::newRow("ignores the terminate request: killed")
            << helper
            << QStringList{u"--ignore-term"_s, u"--out"_s, u"3"_s, u"--close-stdout"_s, u"--linger"_s, u"60"_s} << true
            << QByteArray("abc") << emptyText << u"Task ended badly. Status: 9,"_s;
        QTest::newRow("exists, cannot be executed")
            << _dir.filePath(u"not-executable"_s) << QStringList() << true << none << emptyText
            << u"Exception caught in SynchronousTaskWrapper.cpp before line "_s;
        QTest::newRow("cannot be executed: the report names the run")
            << _dir.filePath(u"not-executable"_s) << QStringList() << false << none << noText
            << u"(in -[SynchronousTaskWrapper(privateMethods) executeTaskWithErrors:]):\n\t\"NSInvalidArgumentException\""_s;
    }
    void run()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, arguments);
        QFETCH(bool, askErrors);
        QFETCH(QByteArray, output);
        QFETCH(QString, errors);
        QFETCH(QString, stderrHas);

        const QString pidFile = _dir.filePath(u"pid"_s);
        QFile::remove(pidFile);

        QString errorText = u"untouched"_s;
        QByteArray result;
        QElapsedTimer clock;
        clock.start();
        {
            StdErrCapture capture;
            result = askErrors ? SynchronousTaskWrapper::executeWithArgsErrors(path, arguments, &errorText)
                               : SynchronousTaskWrapper::executeWithArgs(path, arguments);
            const QString logged = QString::fromUtf8(capture.text());
            if (stderrHas.isEmpty())
                QCOMPARE(logged, QString());
            else
                QVERIFY2(logged.contains(stderrHas), qPrintable(logged));
        }
        // Far below the 60 s a lingering child would keep running.
        QVERIFY(clock.elapsed() < 30000);

        QCOMPARE(result.isNull(), output.isNull());
        QCOMPARE(result.size(), output.size());
        QVERIFY(result == output);
        if (askErrors) {
            QCOMPARE(errorText.isNull(), errors.isNull());
            QCOMPARE(errorText, errors);
        } else {
            QCOMPARE(errorText, u"untouched"_s);
        }
        if (QFile::exists(pidFile))
            QVERIFY2(processGone(pidFile), "the child is still there (running or not reaped)");
    }

    void pathRule_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("existing file as given") << helper << helper;
        QTest::newRow("bare name") << u"sh"_s << u"/usr/bin/sh"_s;
        QTest::newRow("bare name missing everywhere") << u"no-such-tool-here"_s << QString();
        QTest::newRow("bare name of a folder here") << u"printf"_s << u"/usr/bin/printf"_s;
        QTest::newRow("bare name of a file here") << u"not-executable"_s << u"not-executable"_s;
        QTest::newRow("absolute, missing") << u"/usr/bin/no-such-tool-here"_s << QString();
        QTest::newRow("absolute folder") << u"/usr/bin"_s << QString();
        QTest::newRow("two components, missing") << u"bin/sh"_s << QString();
    }
    void pathRule()
    {
        QFETCH(QString, path);
        QFETCH(QString, accepted);
        const QString got = SynchronousTaskWrapper::validTaskPath(path);
        QCOMPARE(got.isNull(), accepted.isNull());
        QCOMPARE(got, accepted);
    }

    // The caller's event loop turns while it waits, each step in a scope of its own.
    void waitStepsTurnTheCallersLoop()
    {
        tz::AutoreleaseScope outer;
        int ticks = 0;
        bool ownScopes = true;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&] {
            ++ticks;
            ownScopes = ownScopes && tz::AutoreleaseScope::current() && tz::AutoreleaseScope::current() != &outer;
        });
        timer.start(5);
        const QByteArray result =
            SynchronousTaskWrapper::executeWithArgs(helper, {u"--linger"_s, u"0.3"_s, u"--out"_s, u"1"_s});
        QCOMPARE(result, QByteArray("a"));
        QVERIFY(ticks >= 5);
        QVERIFY(ownScopes);
    }

    void separateThreadsRunSeparateInstances()
    {
        QByteArray first;
        QByteArray second;
        std::unique_ptr<QThread> a(QThread::create([&] {
            first = SynchronousTaskWrapper::executeWithArgs(helper, {u"--out"_s, u"200000"_s});
        }));
        std::unique_ptr<QThread> b(QThread::create([&] {
            second = SynchronousTaskWrapper::executeWithArgs(helper, {u"--out"_s, u"300000"_s});
        }));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));
        QVERIFY(first == letters(200000));
        QVERIFY(second == letters(300000));
    }

private:
    QTemporaryDir _dir;
};

QTEST_GUILESS_MAIN(TestSynchronousTaskWrapper)
#include "tst_SynchronousTaskWrapper.moc"
