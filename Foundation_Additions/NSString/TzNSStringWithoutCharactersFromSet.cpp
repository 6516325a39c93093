#include "Foundation_Additions/NSString/TzNSStringWithoutCharactersFromSet.h"

#include "Foundation/RangeFunctions.h"

namespace tz {

QString stringWithoutCharactersFromSetRange(const QString& text, const CharacterSet& set, Range range)
{
    const Range r = clippedRange(range, text.size());
    const QStringView window = QStringView(text).sliced(r.location, r.length);
    QString result(QStringLiteral(""));
    result.reserve(window.size());
    qsizetype start = 0;
    while (start < window.size()) {
        const qsizetype member = set.indexOfMember(window, start);
        const qsizetype end = member < 0 ? window.size() : member;
        result.append(window.sliced(start, end - start));
        if (member < 0)
            break;
        start = member + 1;
    }
    result.squeeze();
    return result;
}

} // namespace tz
