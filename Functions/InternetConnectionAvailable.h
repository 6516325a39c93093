// Whether the host named in a URL can be reached without first bringing up a connection.
// Sends nothing to the host: its addresses come from getaddrinfo and a route to one of them
// is checked with connect() on a UDP socket. NetworkManager, when it runs on the system bus,
// says whether a connection is needed (its Connectivity is "none").
#pragma once

#include <QString>

#include <optional>

namespace tz {

constexpr unsigned reachabilityReachable = 0x2;
constexpr unsigned reachabilityConnectionRequired = 0x4;

// The flags for a host name: reachable when a route to one of its addresses exists,
// connection required when NetworkManager reports no connectivity. Nothing when the name
// does not resolve.
[[nodiscard]] std::optional<unsigned> reachabilityFlagsForHost(const QString& host);

// False at once for a text longer than 1024 UTF-16 units. Otherwise the URL's host (the
// text "(null)" when it has none, looked up like any name) must be reachable without a
// connection being required.
[[nodiscard]] bool internetConnectionAvailableTo(const QString& url);

} // namespace tz
