#include "Foundation_Additions/NSString/TzNSStringContains.h"

namespace tz {

bool contains(const QString& text, const QString& needle)
{
    return !needle.isEmpty() && text.contains(needle, Qt::CaseInsensitive);
}

bool containsPrecisely(const QString& text, const QString& needle)
{
    return !needle.isEmpty() && text.contains(needle, Qt::CaseSensitive);
}

} // namespace tz
