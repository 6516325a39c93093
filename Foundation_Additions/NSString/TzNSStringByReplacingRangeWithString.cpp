#include "Foundation_Additions/NSString/TzNSStringByReplacingRangeWithString.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

QString stringByReplacingRangeWithString(const QString& text, Range range, const QString& replacement)
{
    const Range r = clippedRange(range, text.size());
    QString result = text.isNull() ? QStringLiteral("") : text;
    return result.replace(r.location, r.length, replacement);
}

} // namespace tz
