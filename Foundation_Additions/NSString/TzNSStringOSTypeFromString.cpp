#include "Foundation_Additions/NSString/TzNSStringOSTypeFromString.h"

#include "Foundation_Additions/NSString/TzMacRoman.h"

namespace tz {

quint32 OSTypeFromString(const QString& text)
{
    if (text.size() != 4)
        return 0;
    quint32 code = 0;
    for (const QChar c : text) {
        const int byte = macRomanByte(c.unicode());
        if (byte < 0)
            return 0;
        code = (code << 8) | quint32(byte);
    }
    return code;
}

QString stringWithOSType(quint32 code)
{
    if (code == 0)
        return QStringLiteral("");
    QString text(4, Qt::Uninitialized);
    for (int i = 0; i < 4; ++i)
        text[i] = QChar(unicodeOfMacRoman(quint8(code >> (24 - 8 * i))));
    return text;
}

} // namespace tz
