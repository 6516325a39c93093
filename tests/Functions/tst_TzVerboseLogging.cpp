#include "Functions/TzVerboseLogging.h"
#include "support/StdErrCapture.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <poll.h>
#include <pty.h>
#include <unistd.h>

using namespace tz;
using namespace Qt::StringLiterals;

class tst_TzVerboseLogging : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void tzLogFollowsTheSwitch();
    void setMessagesOnWritesDesktopFileAndShowsAlert();
    void setMessagesOffShowsOffText();
    void missingDesktopCreatesNothing();

private:
    QTemporaryDir _home;
    QStringList _alerts;
};

void tst_TzVerboseLogging::initTestCase()
{
    // A private home whose Desktop folder exists; the real one is never touched.
    QVERIFY(QDir(_home.path()).mkpath(u"Desktop"_s));
    qputenv("HOME", _home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (_home.path() + u"/.config"_s).toUtf8());
    qunsetenv("XDG_DESKTOP_DIR");
    setVerboseAlertPresenter([this](const QString& title, const QString& text) { _alerts << title + u'|' + text; });
}

void tst_TzVerboseLogging::tzLogFollowsTheSwitch()
{
    QVERIFY(!tzMessages());
    StdErrCapture capture;
    TzLog(u"hidden %d"_s, 1);
    QCOMPARE(capture.text(), QByteArray());
    TzDebugOn();
    QVERIFY(tzMessages());
    QVERIFY(_alerts.isEmpty());
    TzLog(u"shown %d"_s, 2);
    const QByteArray text = capture.text();
    QVERIFY(text.endsWith("] shown 2\n"));
    QVERIFY(!text.contains("\",#"));
}

void tst_TzVerboseLogging::setMessagesOnWritesDesktopFileAndShowsAlert()
{
    _alerts.clear();
    const QString logFile = _home.filePath(u"Desktop/Error_Log.txt"_s);
    QCOMPARE(verboseLogFilePath(), logFile);
    StdErrCapture keepTerminalClean; // restores the real standard error afterwards
    TzSetMessages(true);
    TzSetMessages(true); // appends
    QFile file(logFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("Begin Pelk Log\n"), 2);
    QCOMPARE(_alerts, (QStringList{u"Verbose Logging|"_s + verboseOn, u"Verbose Logging|"_s + verboseOn}));
}

// Switching off sends standard error to the console device: here a pseudo-terminal of the test.
void tst_TzVerboseLogging::setMessagesOffShowsOffText()
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    QVERIFY(::openpty(&master, &slave, name, nullptr, nullptr) == 0);
    const QString previous = setConsoleDevicePath(QString::fromLocal8Bit(name));
    _alerts.clear();
    {
        StdErrCapture restoresStandardError;
        TzSetMessages(false);
    }
    setConsoleDevicePath(previous);
    QVERIFY(!tzMessages());
    QCOMPARE(_alerts, (QStringList{u"Verbose Logging|"_s + verboseOff}));

    QByteArray console;
    pollfd ready{master, POLLIN, 0};
    while (!console.contains("Begin Pelk Log") && ::poll(&ready, 1, 5000) > 0) {
        char buffer[512];
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        console.append(buffer, n);
    }
    ::close(slave);
    ::close(master);
    QVERIFY2(console.contains("Begin Pelk Log"), console.constData());
}

void tst_TzVerboseLogging::missingDesktopCreatesNothing()
{
    QTemporaryDir otherHome;
    qputenv("HOME", otherHome.path().toUtf8());
    StdErrCapture capture;
    TzSetMessages(true);
    QVERIFY(!QFile::exists(otherHome.filePath(u"Desktop"_s)));
    // Standard error stayed where it was, so the banner reached the capture.
    QVERIFY(capture.text().contains("Begin Pelk Log"));
    TzSetMessages(false);
    qputenv("HOME", _home.path().toUtf8());
}

QTEST_APPLESS_MAIN(tst_TzVerboseLogging)
#include "tst_TzVerboseLogging.moc"
