#include "Foundation_Additions/NSString/TzNSStringDelimitedRanges.h"

namespace tz {

QList<Range> rangesDelimitedByString(const QString& text, const QString& delimiter)
{
    QList<Range> ranges;
    qsizetype start = 0;
    if (!delimiter.isEmpty()) {
        for (qsizetype at = text.indexOf(delimiter); at >= 0; at = text.indexOf(delimiter, start)) {
            ranges.append(Range{quint32(start), quint32(at - start)});
            start = at + delimiter.size();
        }
    }
    ranges.append(Range{quint32(start), quint32(text.size() - start)});
    return ranges;
}

QList<Range> tabDelimitedRanges(const QString& text)
{
    return rangesDelimitedByString(text, QStringLiteral("\t"));
}

} // namespace tz
