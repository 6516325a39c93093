#include "Foundation_Additions/NSString/TzNSStringVisibleControls.h"

#include "Foundation_Additions/NSString/TzNSStringByReplacingSubstringWithString.h"

namespace tz {

QString stringWithVisibleControls(const QString& text)
{
    if (!text.contains(u'\n') && !text.contains(u'\t'))
        return text;
    QString result = text;
    result.replace(u'\n', QChar(returnChar));
    result.replace(u'\t', QChar(tabChar));
    return result;
}

QString replaceSubStringWithString(const QString& text, const QString& target, const QString& replacement)
{
    return stringByReplacingSubstringWithString(text, target, replacement);
}

} // namespace tz
