#include "Foundation_Additions/NSString/TzNSStringIdentifyEncoding.h"

#include "Foundation/CharacterSet.h"

namespace tz {

namespace {

const CharacterSet& notHexSet()
{
    static const CharacterSet set = CharacterSet::fromCharacters(u"0123456789ABCDEFabcdef").inverted();
    return set;
}

const CharacterSet& notBase64Set()
{
    static const CharacterSet set =
        CharacterSet::fromCharacters(u"+/=0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz").inverted();
    return set;
}

// The number of non-blank code units, or -1 when one of them is in the refused set.
qsizetype countOfNonBlanksOutside(const QString& text, const CharacterSet& refused)
{
    const CharacterSet& blanks = CharacterSet::whitespaceAndNewlineCharacterSet();
    qsizetype count = 0;
    for (const QChar c : text) {
        if (blanks.contains(c))
            continue;
        if (refused.contains(c))
            return -1;
        ++count;
    }
    return count;
}

} // namespace

bool isHexadecimalEncoding(const QString& text)
{
    return text.size() >= 2 && countOfNonBlanksOutside(text, notHexSet()) >= 2;
}

bool isBase64Encoding(const QString& text)
{
    if (text.size() < 4)
        return false;
    const qsizetype count = countOfNonBlanksOutside(text, notBase64Set());
    return count >= 0 && count % 4 == 0;
}

} // namespace tz
