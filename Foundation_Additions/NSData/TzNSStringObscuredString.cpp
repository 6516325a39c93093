#include "Foundation_Additions/NSData/TzNSStringObscuredString.h"

namespace tz {

namespace {

constexpr char mask = 0x4E;

// The string as ASCII bytes, losing what ASCII cannot hold: letters keep their base letter,
// combining marks go, every other character (a surrogate pair counts once) becomes "?".
// Kept here until the string toolkit offers a lossy ASCII conversion.
QByteArray lossyAscii(const QString& string)
{
    QByteArray ascii;
    ascii.reserve(string.size());
    for (qsizetype i = 0; i < string.size(); ++i) {
        const QChar c = string.at(i);
        if (c.unicode() < 128) {
            ascii.append(static_cast<char>(c.unicode()));
            continue;
        }
        if (c.isMark())
            continue;
        if (c.isHighSurrogate() && i + 1 < string.size() && string.at(i + 1).isLowSurrogate()) {
            ++i;
            ascii.append('?');
            continue;
        }
        const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
        const QChar base = decomposed.isEmpty() ? QChar() : decomposed.at(0);
        ascii.append(base.unicode() > 0 && base.unicode() < 128 ? static_cast<char>(base.unicode()) : '?');
    }
    return ascii;
}

} // namespace

QByteArray obscuredString(const QString& string)
{
    QByteArray bytes = lossyAscii(string);
    for (char& byte : bytes)
        byte ^= mask;
    return bytes;
}

QString unobscuredStringFromData(const QByteArray& data)
{
    QString text(data.size(), Qt::Uninitialized);
    auto* out = reinterpret_cast<char16_t*>(text.data());
    for (const char byte : data) {
        const auto value = static_cast<unsigned char>(byte ^ mask);
        if (value >= 0x80)
            return {};
        *out++ = value;
    }
    return text;
}

} // namespace tz
