#include "Foundation_Additions/NSString/TzAppendableStringFromMethodName.h"

namespace tz {

QString appendableStringFromMethodName(const QString& text)
{
    if (text.isEmpty() || text.front().toUpper() == text.front())
        return text;
    QString result = text;
    result[0] = result.front().toUpper();
    return result;
}

} // namespace tz
