#include "Foundation_Additions/NSString/TzNSStringContains.h"

#include "Foundation/StringSearch.h"

namespace tz {

bool contains(const QString& text, const QString& needle)
{
    return rangeOfStringOptions(text, needle, CaseInsensitiveSearch).found();
}

bool containsPrecisely(const QString& text, const QString& needle)
{
    return !needle.isEmpty() && text.contains(needle, Qt::CaseSensitive);
}

} // namespace tz
