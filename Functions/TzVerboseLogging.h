// The process-wide verbose-logging switch (off at start), its log file on the user's
// desktop and its alert. The alert goes through a presenter so a widget front end
// (or a test) can show it; with none installed it is written as a log entry.
#pragma once

#include "Foundation/LogLine.h"

#include <functional>

namespace tz {

// The user-defaults key for the user's verbose-logging choice; the library never reads it.
extern const QString pelkLogMessagesKey;
extern const QString verboseOn;
extern const QString verboseOff;
extern const QString verboseAlertTitle;

[[nodiscard]] bool tzMessages();
// Turns the switch on, nothing else.
void TzDebugOn();
// Stores the switch, redirects standard error, then shows the alert for the new state.
void TzSetMessages(bool on);
// Reopens standard error for appending: ~/Desktop/Error_Log.txt when on, the console device when
// off (kept where it is when that cannot be opened); then logs "Begin Pelk Log".
void redirectStdErr();
// The console device, "/dev/console" unless replaced; answers the one it replaces. Tests point it
// at a pseudo-terminal so that switching off never writes to the machine's console.
[[nodiscard]] QString consoleDevicePath();
QString setConsoleDevicePath(const QString& path);
// Shows the alert for the current state.
void verboseAlert();
// The path redirectStdErr uses while the switch is on.
[[nodiscard]] QString verboseLogFilePath();

using AlertPresenter = std::function<void(const QString& title, const QString& text)>;
// Replaces the presenter; returns the previous one.
AlertPresenter setVerboseAlertPresenter(AlertPresenter presenter);

// Logs the message unprefixed while the switch is on; nothing when it is off.
template <typename... Args>
void TzLog(const QString& format, const Args&... args)
{
    if (tzMessages())
        logMessage(format, args...);
}

} // namespace tz
