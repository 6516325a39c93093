// D-Bus calls of the system probes: each waits at most busTimeoutMs and never starts a
// service that is not running.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>

namespace tz {

constexpr int busTimeoutMs = 1000;

// Whether the name has an owner on the bus; false when the bus does not answer.
[[nodiscard]] bool probeServiceRunning(const QDBusConnection& bus, const QString& service);
// The reply (or error) of the call, sent without auto-start.
[[nodiscard]] QDBusMessage probeCall(const QDBusConnection& bus, QDBusMessage call);

} // namespace tz
