#include "Carbon/HFSNames.h"

#include "Foundation_Additions/NSString/TzMacRoman.h"

namespace tz {

namespace {

constexpr qsizetype hfsNameLimit = 31;

bool knownEncoding(quint32 encoding)
{
    return encoding == textEncodingMacRoman || encoding == textEncodingSystemDefault;
}

} // namespace

OSErr UnicodeNameGetHFSName(const QString& unicodeName, quint32 textEncodingHint, bool allowLossyConversion,
                            QByteArray* hfsName)
{
    if (!hfsName || !knownEncoding(textEncodingHint))
        return fsParameterError;
    QByteArray bytes;
    for (qsizetype i = 0; i < unicodeName.size(); ++i) {
        const char16_t unit = unicodeName.at(i).unicode();
        const int byte = macRomanByte(unit);
        if (byte >= 0) {
            bytes.append(char(byte));
            continue;
        }
        if (!allowLossyConversion)
            return fsBadName;
        if (QChar::isHighSurrogate(unit) && i + 1 < unicodeName.size() && unicodeName.at(i + 1).isLowSurrogate())
            ++i;
        bytes.append('?');
    }
    if (bytes.size() > hfsNameLimit)
        return fsBadName;
    *hfsName = char(bytes.size()) + bytes;
    return fsNoError;
}

OSErr HFSNameGetUnicodeName(QByteArrayView hfsName, quint32 textEncodingHint, QString* unicodeName)
{
    if (!unicodeName || hfsName.isEmpty() || !knownEncoding(textEncodingHint))
        return fsParameterError;
    const qsizetype length = quint8(hfsName.front());
    if (length > hfsName.size() - 1)
        return fsBadName;
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = QChar(unicodeOfMacRoman(quint8(hfsName.at(i + 1))));
    *unicodeName = text;
    return fsNoError;
}

} // namespace tz
