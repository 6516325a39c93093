// A span of UTF-16 code units or bytes; a failed search gives {notFound, 0}.
#pragma once

#include <QtGlobal>

namespace tz {

struct Range
{
    static constexpr quint32 notFound = 0x7FFFFFFF;

    quint32 location = notFound;
    quint32 length = 0;

    [[nodiscard]] constexpr bool found() const { return location != notFound; }
    // One past the last element, computed without overflow.
    [[nodiscard]] constexpr quint64 end() const { return quint64(location) + length; }
    friend constexpr bool operator==(const Range&, const Range&) = default;
};

[[nodiscard]] constexpr Range makeRange(quint32 location, quint32 length)
{
    return Range{location, length};
}
inline constexpr Range notFoundRange{Range::notFound, 0};

} // namespace tz
