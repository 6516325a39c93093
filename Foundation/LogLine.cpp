#include "Foundation/LogLine.h"

#include <QDateTime>

#include <atomic>
#include <cerrno>
#include <cstring>

#include <sys/syscall.h>
#include <unistd.h>

namespace tz {

namespace {

QString processPrefix()
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    return format("%@ %s[%d:%d] ", stamp, program_invocation_short_name, int(getpid()), int(syscall(SYS_gettid)));
}

} // namespace

namespace {
std::atomic<bool> loggingEnabled{true};
} // namespace

void setLoggingEnabled(bool enabled)
{
    loggingEnabled.store(enabled, std::memory_order_relaxed);
}

bool isLoggingEnabled()
{
    return loggingEnabled.load(std::memory_order_relaxed);
}

void logText(const QString& message)
{
    if (!isLoggingEnabled())
        return;
    QByteArray bytes = (processPrefix() + message).toUtf8();
    if (!bytes.endsWith('\n'))
        bytes += '\n';
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, p, std::size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        p += n;
        left -= n;
    }
}

QString sourceFileName(const char* file)
{
    const char* slash = file ? std::strrchr(file, '/') : nullptr;
    return QString::fromUtf8(slash ? slash + 1 : file);
}

void logException(const char* file, int line, const QString& function, const QString& name, const QString& reason,
                  const Id& userInfo)
{
    logMessage(
        QStringLiteral(
            "\n*****\nException caught in %@ before line %d (in %@):\n\t\"%@\"  -- \"%@\" UserInfo: \"%@\"\n*****\n"),
        sourceFileName(file), line, function, name, reason, userInfo);
}

void logSubclassResponsibility(const char* file, int line, const QString& function)
{
    logMessage(QStringLiteral("*** Subclass Responsibility: %s (\"%@\", Line %d) ***"), function, sourceFileName(file),
               line);
}

} // namespace tz
