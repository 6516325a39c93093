#include "Functions/SystemIdleTime.h"

#include "Foundation/LogLine.h"
#include "Functions/ProbeBus.h"

#include <QDBusVariant>
#include <QMetaType>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <memory>

namespace tz {

namespace {

void logIdle(const char* message)
{
    logText(QString::fromLatin1(message));
}

double failedQuery()
{
    logIdle("Couldn't grab properties of system\n");
    logIdle("Can't find idle time\n");
    return 0;
}

// The idle count of a D-Bus answer in its own unit; 0 with a log entry when it is not a number.
double countOfReply(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage)
        return failedQuery();
    if (reply.arguments().isEmpty()) {
        logIdle("Can't find idle time\n");
        return 0;
    }
    QVariant value = reply.arguments().constFirst();
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    switch (value.metaType().id()) {
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return double(value.toULongLong());
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong: return double(value.toLongLong());
    default:
        logMessage(QStringLiteral("%@: unsupported type\n"), QString::fromLatin1(value.metaType().name()));
        return 0;
    }
}

double busIdleTime()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        logIdle("Error accessing IOHIDSystem\n");
        return 0;
    }
    struct Monitor
    {
        const char* service;
        const char* path;
        double secondsPerUnit;
        const char* method;
    };
    static constexpr Monitor monitors[] = {
        {"org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core", 1e-3, "GetIdletime"},
        {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", 1.0, "GetSessionIdleTime"},
    };
    for (const Monitor& monitor : monitors) {
        const QString service = QString::fromLatin1(monitor.service);
        if (!probeServiceRunning(bus, service))
            continue;
        const QDBusMessage call = QDBusMessage::createMethodCall(service, QString::fromLatin1(monitor.path), service,
                                                                 QString::fromLatin1(monitor.method));
        return countOfReply(probeCall(bus, call)) * monitor.secondsPerUnit;
    }
    logIdle("Iterator's empty!\n");
    return 0;
}

struct DisplayCloser
{
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct XFreer
{
    void operator()(void* data) const { XFree(data); }
};

// A connection of its own per call: Xlib connections are not shared between threads.
double x11IdleTime(const QByteArray& displayName)
{
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(displayName.constData()));
    if (!display) {
        logIdle("Error accessing IOHIDSystem\n");
        return 0;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!XScreenSaverQueryExtension(display.get(), &eventBase, &errorBase)) {
        logIdle("Iterator's empty!\n");
        return 0;
    }
    const std::unique_ptr<XScreenSaverInfo, XFreer> info(XScreenSaverAllocInfo());
    if (!info || !XScreenSaverQueryInfo(display.get(), DefaultRootWindow(display.get()), info.get()))
        return failedQuery();
    return double(info->idle) / 1000.0;
}

} // namespace

double SystemIdleTime()
{
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return busIdleTime();
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        logIdle("Error accessing IOHIDSystem\n");
        return 0;
    }
    return x11IdleTime(display);
}

} // namespace tz
