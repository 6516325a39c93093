#include "Foundation_Additions/NSString/TzNSStringComponentsSeparatedByCharactersFromSet.h"

namespace tz {

namespace {

// End of the run starting at from: the next index outside (or inside) the set, or the end.
qsizetype endOfMembers(const CharacterSet& set, QStringView text, qsizetype from)
{
    const qsizetype n = text.size();
    // Runs of no member or of one are the common case: settle them without a scan.
    if (from >= n || !set.contains(text[from]))
        return from;
    if (from + 1 == n || !set.contains(text[from + 1]))
        return from + 1;
    const qsizetype i = set.indexOfNonMember(text, from + 2);
    return i < 0 ? n : i;
}

qsizetype endOfNonMembers(const CharacterSet& set, QStringView text, qsizetype from)
{
    const qsizetype i = set.indexOfMember(text, from);
    return i < 0 ? text.size() : i;
}

void appendEmpty(QStringList& list, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        list.append(QStringLiteral(""));
}

} // namespace

QStringList componentsSeparatedByCharactersFromSet(const QString& text, const CharacterSet& set)
{
    QStringList components;
    const qsizetype n = text.size();
    qsizetype i = endOfMembers(set, text, 0);
    bool endedWithMembers = i > 0;
    if (endedWithMembers)
        appendEmpty(components, 1);
    while (i < n) {
        const qsizetype end = endOfNonMembers(set, text, i);
        components.append(text.sliced(i, end - i));
        i = endOfMembers(set, text, end);
        endedWithMembers = i > end;
    }
    if (endedWithMembers)
        appendEmpty(components, 1);
    return components;
}

QStringList componentsSeparatedByACharacterFromSet(const QString& text, const CharacterSet& set)
{
    QStringList components;
    const qsizetype n = text.size();
    qsizetype i = endOfMembers(set, text, 0);
    appendEmpty(components, i);
    while (i < n) {
        const qsizetype end = endOfNonMembers(set, text, i);
        components.append(text.sliced(i, end - i));
        i = endOfMembers(set, text, end);
        appendEmpty(components, i - end - 1);
    }
    return components;
}

} // namespace tz
