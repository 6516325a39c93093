#include "Foundation_Additions/NSString/TzNSStringByDeletingCharactersInSet.h"

#include "Foundation_Additions/NSString/TzNSStringWithoutCharactersFromSet.h"

namespace tz {

QString stringByDeletingCharactersInSet(const QString& text, const CharacterSet& set)
{
    if (set.indexOfMember(text) < 0)
        return text;
    return stringWithoutCharactersFromSetRange(text, set, Range{0, quint32(text.size())});
}

QString stringByDeletingCharactersNotInSet(const QString& text, const CharacterSet& set)
{
    return stringByDeletingCharactersInSet(text, set.inverted());
}

} // namespace tz
