#include "Foundation_Additions/NSString/TzNSStringContentsOfTag.h"

#include "Foundation/LogLine.h"

namespace tz {

QStringList contentsOfTag(const QString& text, const QString& tagName)
{
    const QString opening = format("<%@>", tagName);
    const QString closing = format("</%@>", tagName);
    qsizetype at = text.indexOf(opening);
    if (at < 0) {
        TZ_LOG_LINE("-[NSString(ContentsOfTag) contentsOfTag:]", "Tag \"%@\" not present in %@", tagName, text);
        return {};
    }
    QStringList contents;
    const QStringView whole(text);
    while (at >= 0) {
        const qsizetype start = at + opening.size();
        const qsizetype next = text.indexOf(opening, start);
        const QStringView piece = whole.sliced(start, (next < 0 ? text.size() : next) - start);
        const qsizetype close = piece.indexOf(closing);
        if (close < 0)
            TZ_LOG_LINE("-[NSString(ContentsOfTag) contentsOfTag:]", "Unbalanced Tag:%@ in %@", tagName, text);
        else
            contents.append(piece.first(close).toString());
        at = next;
    }
    return contents;
}

} // namespace tz
