// Ranges against a text's length: bounds tests, clipping, and the "{location, length}" text form.
#pragma once

#include "Foundation/Range.h"

#include <QString>

namespace tz {

// True when the range ends at or before length.
[[nodiscard]] constexpr bool rangeLiesWithin(Range range, qsizetype length)
{
    return range.end() <= quint64(length);
}

// The part of the range that lies within [0, length); an empty range at the nearer end otherwise.
[[nodiscard]] constexpr Range clippedRange(Range range, qsizetype length)
{
    const quint64 limit = quint64(length);
    const quint64 start = qMin<quint64>(range.location, limit);
    const quint64 end = qMin<quint64>(range.end(), limit);
    return Range{quint32(start), quint32(end - start)};
}

// "{3, 4}".
[[nodiscard]] inline QString stringFromRange(Range range)
{
    return QStringLiteral("{%1, %2}").arg(range.location).arg(range.length);
}

} // namespace tz
