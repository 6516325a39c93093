// The one diagnostic format of the system. logMessage writes one entry on standard error
// with its own prefix ("2026-12-09 22:52:00.123 name[pid:tid] "); a log line adds
// "\"file\",#line (function) " in front of the message. The macros capture file and line.
#pragma once

#include "Foundation/Format.h"

namespace tz {

// One entry on standard error, written with a single write call; nothing while logging is off.
void logText(const QString& message);

// Log entries are written unless turned off (a command-line tool keeps its standard error for
// its own messages). Safe from any thread.
void setLoggingEnabled(bool enabled);
[[nodiscard]] bool isLoggingEnabled();

template <typename... Args>
void logMessage(const QString& format, const Args&... args)
{
    logText(tz::format(format, args...));
}

// The source file's last path component, as log lines name it.
[[nodiscard]] QString sourceFileName(const char* file);

template <typename... Args>
void logLine(const char* file, int line, const QString& function, const QString& format, const Args&... args)
{
    logText(tz::format("\"%@\",#%d (%@) ", sourceFileName(file), line, function) + tz::format(format, args...));
}

// "\n*****\nException caught in FILE before line N (in FUNCTION):\n\t\"NAME\"  -- \"REASON\" UserInfo: \"INFO\"\n*****\n"
void logException(const char* file, int line, const QString& function, const QString& name, const QString& reason,
                  const Id& userInfo);

// "*** Subclass Responsibility: FUNCTION (\"FILE\", Line N) ***"
void logSubclassResponsibility(const char* file, int line, const QString& function);

} // namespace tz

#define TZ_LOG_LINE(function, format, ...) \
    ::tz::logLine(__FILE__, __LINE__, QStringLiteral(function), QStringLiteral(format) __VA_OPT__(, ) __VA_ARGS__)
#define TZ_LOG_EXCEPTION(function, name, reason, userInfo) \
    ::tz::logException(__FILE__, __LINE__, QStringLiteral(function), name, reason, userInfo)
#define TZ_SUBCLASS_RESPONSIBILITY(function) \
    ::tz::logSubclassResponsibility(__FILE__, __LINE__, QStringLiteral(function))
