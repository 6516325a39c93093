#include "Foundation/PlistText.h"

#include <algorithm>

namespace tz::plistText {

namespace {

bool isBareCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' || u == u'$'
        || u == u'.' || u == u'/' || u == u':' || u == u'-';
}

} // namespace

QString quoted(const QString& text)
{
    if (!text.isEmpty() && std::all_of(text.cbegin(), text.cend(), isBareCharacter))
        return text;
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    out += u'"';
    return out;
}

QString indent(int level)
{
    return QString(qMax(level, 0) * 4, u' ');
}

} // namespace tz::plistText
