#include "Functions/TzVerboseLogging.h"

#include <QDir>
#include <QStandardPaths>

#include <atomic>

#include <fcntl.h>
#include <unistd.h>

namespace tz {

const QString pelkLogMessagesKey = QStringLiteral("TzPelkLogMessagesKey");
const QString verboseOn = QStringLiteral(
    "Verbose Error Logging will be ON.\n\nThis will create a log file called \"Error_Log.txt\" on your desktop.\n\n"
    "Verbose logging will make the application less responsive.\n\nTo turn off Verbose Logging, select \"Verbose "
    "Logging\" from the Special submenu of the application edit menu");
const QString verboseOff = QStringLiteral(
    "Verbose Error Logging will be OFF.\n\nTo turn on Verbose Logging, select \"Verbose Logging\" from the Special "
    "submenu of the Application edit menu");
const QString verboseAlertTitle = QStringLiteral("Verbose Logging");

namespace {

std::atomic<bool> verboseSwitch{false};

AlertPresenter& presenter()
{
    static AlertPresenter instance;
    return instance;
}

QString& consoleDevice()
{
    static QString path = QStringLiteral("/dev/console");
    return path;
}

// Points standard error at the file; false (and standard error untouched) when it cannot be opened.
bool reopenStdErr(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::dup2(fd, STDERR_FILENO) >= 0;
    ::close(fd);
    return ok;
}

} // namespace

bool tzMessages()
{
    return verboseSwitch.load(std::memory_order_relaxed);
}

void TzDebugOn()
{
    verboseSwitch = true;
}

void TzSetMessages(bool on)
{
    verboseSwitch = on;
    redirectStdErr();
    verboseAlert();
}

QString verboseLogFilePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
        .filePath(QStringLiteral("Error_Log.txt"));
}

void redirectStdErr()
{
    if (tzMessages())
        reopenStdErr(verboseLogFilePath(), O_WRONLY | O_APPEND | O_CREAT);
    else
        reopenStdErr(consoleDevicePath(), O_WRONLY | O_APPEND | O_NOCTTY);
    logMessage(QStringLiteral("Begin Pelk Log"));
}

void verboseAlert()
{
    const QString& text = tzMessages() ? verboseOn : verboseOff;
    if (presenter())
        presenter()(verboseAlertTitle, text);
    else
        logMessage(QStringLiteral("%@: %@"), verboseAlertTitle, text);
}

QString consoleDevicePath()
{
    return consoleDevice();
}

QString setConsoleDevicePath(const QString& path)
{
    return std::exchange(consoleDevice(), path);
}

AlertPresenter setVerboseAlertPresenter(AlertPresenter replacement)
{
    return std::exchange(presenter(), std::move(replacement));
}

} // namespace tz
