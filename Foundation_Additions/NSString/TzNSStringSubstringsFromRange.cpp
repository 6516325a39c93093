#include "Foundation_Additions/NSString/TzNSStringSubstringsFromRange.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

QStringList substringsFromRange(const QString& text, Range range)
{
    const Range r = clippedRange(range, text.size());
    const QString whole = text.isNull() ? QStringLiteral("") : text;
    return {whole.first(r.location), whole.sliced(r.location, r.length), whole.sliced(r.end())};
}

} // namespace tz
