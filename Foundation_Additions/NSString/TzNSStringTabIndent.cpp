#include "Foundation_Additions/NSString/TzNSStringTabIndent.h"

#include "Foundation_Additions/NSString/TzControlAndWhitespaceCharacterSet.h"

namespace tz {

qsizetype tabIndent(const QString& text)
{
    const qsizetype end = controlAndWhitespaceCharacterSet().indexOfNonMember(text);
    return QStringView(text).first(end < 0 ? text.size() : end).count(u'\t');
}

} // namespace tz
