#include "Foundation_Additions/NSString/TzNSStringByReplacingSubstringWithString.h"

namespace tz {

QString stringByReplacingSubstringWithString(const QString& text, const QString& target, const QString& replacement)
{
    if (target.isEmpty() || !text.contains(target))
        return text;
    QString result = text;
    return result.replace(target, replacement);
}

} // namespace tz
