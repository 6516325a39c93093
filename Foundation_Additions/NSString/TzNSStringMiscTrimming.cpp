#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"

namespace tz {

namespace {

QString slice(const QString& text, qsizetype start, qsizetype end)
{
    if (start == 0 && end == text.size())
        return text;
    if (start >= end)
        return QStringLiteral("");
    return text.sliced(start, end - start);
}

} // namespace

QString stringByTrimmingLeadMembersOfCharacterSet(const QString& text, const CharacterSet& set)
{
    const qsizetype start = set.indexOfNonMember(text);
    return slice(text, start < 0 ? text.size() : start, text.size());
}

QString stringByTrimmingTailMembersOfCharacterSet(const QString& text, const CharacterSet& set)
{
    return slice(text, 0, set.lastIndexOfNonMember(text, text.size()) + 1);
}

QString stringByTrimmingMembersOfCharacterSet(const QString& text, const CharacterSet& set)
{
    const qsizetype start = set.indexOfNonMember(text);
    if (start < 0)
        return slice(text, 0, 0);
    return slice(text, start, set.lastIndexOfNonMember(text, text.size()) + 1);
}

QString stringByTrimmingLeadWhiteSpaces(const QString& text)
{
    return stringByTrimmingLeadMembersOfCharacterSet(text, CharacterSet::whitespaceAndNewlineCharacterSet());
}

QString stringByTrimmingTailWhiteSpaces(const QString& text)
{
    return stringByTrimmingTailMembersOfCharacterSet(text, CharacterSet::whitespaceAndNewlineCharacterSet());
}

QString stringByTrimmingWhiteSpaces(const QString& text)
{
    return stringByTrimmingMembersOfCharacterSet(text, CharacterSet::whitespaceAndNewlineCharacterSet());
}

bool containsOnlyCharactersFromSet(const QString& text, const CharacterSet& set)
{
    return set.indexOfNonMember(text) < 0;
}

qsizetype countOfCharactersFromSet(const QString& text, const CharacterSet& set)
{
    qsizetype count = 0;
    for (const QChar c : text)
        count += set.contains(c);
    return count;
}

} // namespace tz
