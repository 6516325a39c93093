#include "Foundation_Additions/NSString/TzNSStringWithControlsStripped.h"

#include "Foundation_Additions/NSString/TzControlAndWhitespaceCharacterSet.h"

namespace tz {

QString stringWithControlsStripped(const QString& text)
{
    const CharacterSet set = controlAndWhitespaceCharacterSet();
    QString result(QStringLiteral(""));
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype member = set.indexOfMember(text, i);
        const qsizetype end = member < 0 ? text.size() : member;
        if (end > i) {
            if (!result.isEmpty())
                result.append(u' ');
            result.append(QStringView(text).sliced(i, end - i));
        }
        i = end + 1;
    }
    return result;
}

} // namespace tz
