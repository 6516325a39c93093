#include "Foundation_Additions/NSString/TzNSStringRangesOfString.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

QList<Range> rangesOfStringOptionsRange(const QString& text, const QString& target, quint32 options, Range range)
{
    return rangesOfStringOptionsInWindow(text, target, options, range);
}

QList<Range> rangesOfString(const QString& text, const QString& target)
{
    return rangesOfStringOptions(text, target, LiteralSearch);
}

QList<Range> rangesOfStringOptions(const QString& text, const QString& target, quint32 options)
{
    return rangesOfStringOptionsRange(text, target, options, Range{0, quint32(text.size())});
}

} // namespace tz
