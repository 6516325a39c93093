#include "Foundation_Additions/NSString/TzNSStringBoolValue.h"

#include "Foundation/CharacterSet.h"

namespace tz {

namespace {

const QString boolValues = QStringLiteral("y n yes no t f true false 1 0");
const QString boolYesValues = QStringLiteral("y yes t true 1");

// The first word, lower-cased; empty for a blank text.
QString firstWord(const QString& text)
{
    const CharacterSet& blanks = CharacterSet::whitespaceAndNewlineCharacterSet();
    const qsizetype start = blanks.indexOfNonMember(text);
    if (start < 0)
        return {};
    const qsizetype end = blanks.indexOfMember(text, start);
    return QStringView(text).sliced(start, (end < 0 ? text.size() : end) - start).toString().toLower();
}

bool firstWordOccursIn(const QString& text, const QString& list)
{
    const QString word = firstWord(text);
    return !word.isEmpty() && list.contains(word);
}

} // namespace

bool hasBoolValue(const QString& text)
{
    return firstWordOccursIn(text, boolValues);
}

bool boolValue(const QString& text)
{
    return firstWordOccursIn(text, boolYesValues);
}

QString stringWithBool(bool flag)
{
    return flag ? QStringLiteral("YES") : QStringLiteral("NO");
}

} // namespace tz
