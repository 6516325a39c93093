#include "Foundation/StringSearch.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

Range rangeOfStringOptionsRange(QStringView text, QStringView target, quint32 options, Range window)
{
    const Range w = clippedRange(window, text.size());
    if (target.isEmpty() || target.size() > qsizetype(w.length))
        return notFoundRange;
    const QStringView haystack = text.sliced(w.location, w.length);
    const Qt::CaseSensitivity cs = (options & CaseInsensitiveSearch) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qsizetype at = -1;
    if (options & BackwardsSearch) {
        if (options & AnchoredSearch)
            at = haystack.endsWith(target, cs) ? haystack.size() - target.size() : -1;
        else
            at = haystack.lastIndexOf(target, -1, cs);
    } else {
        if (options & AnchoredSearch)
            at = haystack.startsWith(target, cs) ? 0 : -1;
        else
            at = haystack.indexOf(target, 0, cs);
    }
    if (at < 0)
        return notFoundRange;
    return Range{quint32(w.location + at), quint32(target.size())};
}

Range rangeOfStringOptions(QStringView text, QStringView target, quint32 options)
{
    return rangeOfStringOptionsRange(text, target, options, Range{0, quint32(qMin<qsizetype>(text.size(), 0xFFFFFFFF))});
}

} // namespace tz
