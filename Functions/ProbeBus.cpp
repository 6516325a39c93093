#include "Functions/ProbeBus.h"

namespace tz {

bool probeServiceRunning(const QDBusConnection& bus, const QString& service)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    call << service;
    const QDBusMessage reply = probeCall(bus, call);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && reply.arguments().constFirst().toBool();
}

QDBusMessage probeCall(const QDBusConnection& bus, QDBusMessage call)
{
    call.setAutoStartService(false);
    return bus.call(call, QDBus::Block, busTimeoutMs);
}

} // namespace tz
