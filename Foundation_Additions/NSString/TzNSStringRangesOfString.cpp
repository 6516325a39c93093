#include "Foundation_Additions/NSString/TzNSStringRangesOfString.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

QList<Range> rangesOfStringOptionsRange(const QString& text, const QString& target, quint32 options, Range range)
{
    QList<Range> ranges;
    const quint32 forwards = options & ~quint32(BackwardsSearch);
    const Range whole = clippedRange(range, text.size());
    const quint64 end = whole.end();
    Range window = whole;
    while (!target.isEmpty() && quint64(target.size()) <= window.length) {
        const Range found = rangeOfStringOptionsRange(text, target, forwards, window);
        if (!found.found())
            break;
        ranges.append(found);
        window = Range{quint32(found.end()), quint32(end - found.end())};
    }
    return ranges;
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
