#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringAdditions.h"

#include "Foundation_Additions/NSString/TzNSStringDelimitedRanges.h"

#include <algorithm>

namespace tz {

AttributedString attributedStringByAppendingAttributedString(const AttributedString& text,
                                                             const AttributedString& other)
{
    MutableAttributedString result(text);
    result.appendAttributedString(other);
    return result;
}

MutableAttributedString attributedStringByAppendingAttributedString(const MutableAttributedString& text,
                                                                    const AttributedString& other)
{
    MutableAttributedString result(text);
    result.appendAttributedString(other);
    return result;
}

QList<Range> rangesDelimitedByString(const AttributedString& text, const QString& delimiter)
{
    return rangesDelimitedByString(text.string(), delimiter);
}

QList<AttributedString> componentsSeparatedByString(const AttributedString& text, const QString& separator)
{
    QList<AttributedString> components;
    const QList<Range> ranges = rangesDelimitedByString(text, separator);
    components.reserve(ranges.size());
    for (const Range& range : ranges)
        components.append(range.length ? text.attributedSubstringFromRange(range) : AttributedString());
    return components;
}

QList<AttributedString> componentsSeparatedByTab(const AttributedString& text)
{
    return componentsSeparatedByString(text, QStringLiteral("\t"));
}

QList<Attributes> attributesInRange(const AttributedString& text, Range range)
{
    QList<Attributes> found;
    if (range.location >= text.length())
        return found;
    const quint64 end = std::min<quint64>(range.end(), quint64(text.length()));
    quint64 index = range.location;
    do {
        Range run;
        found.append(text.attributesAtIndex(qsizetype(index), &run, range));
        index = run.end();
    } while (index < end);
    return found;
}

bool attributeFoundInRange(const AttributedString& text, const QString& name, Range range)
{
    const QList<Attributes> runs = attributesInRange(text, range);
    return std::any_of(runs.cbegin(), runs.cend(), [&](const Attributes& a) { return a.contains(name); });
}

} // namespace tz
