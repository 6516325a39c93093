#include "Foundation_Additions/NSString/TzNSStringPascalString.h"

#include <algorithm>

namespace tz {

QByteArray pascalString(const QString& text)
{
    if (text.size() > 255 || std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xFF; }))
        return {};
    QByteArray buffer(256, '\0');
    buffer[0] = char(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        buffer[i + 1] = char(text.at(i).unicode());
    return buffer;
}

QString stringWithPascalString(QByteArrayView pascal)
{
    if (pascal.isEmpty())
        return {};
    const qsizetype length = qMin<qsizetype>(quint8(pascal.at(0)), pascal.size() - 1);
    return QString::fromLatin1(pascal.sliced(1, length));
}

} // namespace tz
