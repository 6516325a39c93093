#include "Functions/InternetConnectionAvailable.h"

#include "Foundation/Format.h"
#include "Functions/ProbeBus.h"

#include <QDBusVariant>
#include <QUrl>

#include <algorithm>
#include <cstring>
#include <memory>

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tz {

namespace {

constexpr unsigned connectivityNone = 1;

struct AddrInfoFreer
{
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

// connect() on a UDP socket only picks a route and a source address; no packet leaves.
bool routeExists(const addrinfo& address)
{
    const int fd = ::socket(address.ai_family, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_storage target{};
    std::memcpy(&target, address.ai_addr, std::min<std::size_t>(address.ai_addrlen, sizeof target));
    // Port 0 cannot be connected to; any other port picks the same route.
    if (target.ss_family == AF_INET)
        reinterpret_cast<sockaddr_in&>(target).sin_port = htons(9);
    else if (target.ss_family == AF_INET6)
        reinterpret_cast<sockaddr_in6&>(target).sin6_port = htons(9);
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&target), address.ai_addrlen) == 0;
    ::close(fd);
    return connected;
}

// NetworkManager's answer; not running (or not answering) means no connection is needed.
bool connectionRequired()
{
    QDBusConnection bus = QDBusConnection::systemBus();
    const QString service = QStringLiteral("org.freedesktop.NetworkManager");
    if (!probeServiceRunning(bus, service))
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QStringLiteral("/org/freedesktop/NetworkManager"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << service << QStringLiteral("Connectivity");
    const QDBusMessage reply = probeCall(bus, call);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const QVariant value = qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant();
    bool ok = false;
    const unsigned connectivity = value.toUInt(&ok);
    return ok && connectivity == connectivityNone;
}

} // namespace

std::optional<unsigned> reachabilityFlagsForHost(const QString& host)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toUtf8().constData(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    const std::unique_ptr<addrinfo, AddrInfoFreer> list(found);
    unsigned flags = 0;
    for (const addrinfo* address = list.get(); address; address = address->ai_next) {
        if (routeExists(*address)) {
            flags |= reachabilityReachable;
            break;
        }
    }
    if (connectionRequired())
        flags |= reachabilityConnectionRequired;
    return flags;
}

bool internetConnectionAvailableTo(const QString& url)
{
    if (url.size() > 1024)
        return false;
    // Internationalised names in their ASCII form, as the resolver expects them.
    const QString host = QUrl(url).host(QUrl::EncodeUnicode);
    const std::optional<unsigned> flags = reachabilityFlagsForHost(host.isEmpty() ? format("%@", nullptr) : host);
    return flags && !(*flags & reachabilityConnectionRequired) && (*flags & reachabilityReachable);
}

} // namespace tz
