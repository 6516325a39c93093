#include "Foundation_Additions/NSString/TzNSStringRangesInCommon.h"

#include "Foundation/LogLine.h"
#include "Foundation/RangeFunctions.h"

namespace tz {

QList<Range> rangesInOrNotInCommonWithStringOptionsRange(const QString& text, bool in, const QString& other,
                                                         quint32 options, Range range)
{
    const bool caseless = options & CaseInsensitiveSearch;
    Range r = range;
    if (!rangeLiesWithin(range, text.size())) {
        TZ_LOG_LINE("-[NSString(RangesInCommon) rangesInOrNotIn:commonWithString:options:range:]",
                    "Range requested: %@ exceeds max range %@ of %@", stringFromRange(range),
                    stringFromRange(Range{0, quint32(text.size())}), text);
        r = clippedRange(range, text.size());
    }
    const QStringView part = QStringView(text).sliced(r.location, r.length);
    if (part.compare(other, caseless ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0)
        return in ? QList<Range>{r} : QList<Range>{};

    QList<Range> ranges;
    const qsizetype end = r.end();
    qsizetype runStart = -1;
    for (qsizetype i = r.location; i < end; ++i) {
        bool agree = false;
        if (i < other.size()) {
            const QChar a = text.at(i);
            const QChar b = other.at(i);
            agree = caseless ? a.toCaseFolded() == b.toCaseFolded() : a == b;
        }
        if (agree == in) {
            if (runStart < 0)
                runStart = i;
        } else if (runStart >= 0) {
            ranges.append(Range{quint32(runStart), quint32(i - runStart)});
            runStart = -1;
        }
    }
    if (runStart >= 0)
        ranges.append(Range{quint32(runStart), quint32(end - runStart)});
    return ranges;
}

QList<Range> rangesInCommonWithString(const QString& text, const QString& other)
{
    return rangesInOrNotInCommonWithStringOptionsRange(text, true, other, LiteralSearch,
                                                       Range{0, quint32(text.size())});
}

QList<Range> rangesNotInCommonWithString(const QString& text, const QString& other)
{
    return rangesInOrNotInCommonWithStringOptionsRange(text, false, other, 0, Range{0, quint32(text.size())});
}

} // namespace tz
