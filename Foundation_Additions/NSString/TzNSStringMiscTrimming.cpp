#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"

namespace tz {

QString stringByTrimmingWhiteSpaces(const QString& text)
{
    return text.trimmed();
}

} // namespace tz
