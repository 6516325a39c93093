#include "Foundation_Additions/NSString/TzNSStringEncodedURLString.h"

#include <QStringDecoder>

#include <array>

namespace tz {

namespace {

int hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// True when two hexadecimal digits follow the "%" at at.
bool beginsEscape(QStringView text, qsizetype at)
{
    return at + 2 < text.size() && hexValue(text[at + 1].unicode()) >= 0 && hexValue(text[at + 2].unicode()) >= 0;
}

void appendEscapedByte(QString& result, unsigned byte)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    const QChar escape[3] = {QChar(u'%'), QChar(digits[byte >> 4]), QChar(digits[byte & 15])};
    result.append(escape, 3);
}

// Runs of escapes decoded as UTF-8, other units kept; null when a run is not valid UTF-8.
QString decodedEscapes(const QString& text)
{
    QString result;
    result.reserve(text.size());
    QByteArray bytes;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        if (text[i] != u'%') {
            result.append(text[i]);
            ++i;
            continue;
        }
        bytes.clear();
        while (i < n && text[i] == u'%') {
            // Every "%" begins an escape here: stray ones were escaped before.
            bytes.append(char(hexValue(text[i + 1].unicode()) * 16 + hexValue(text[i + 2].unicode())));
            i += 3;
        }
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QString run = decoder(bytes);
        if (decoder.hasError())
            return {};
        result.append(run);
    }
    return result;
}

bool isExcluded(char16_t c)
{
    static const std::array<bool, 128> excluded = [] {
        std::array<bool, 128> table{};
        for (int u = 0; u <= 0x20; ++u)
            table[std::size_t(u)] = true;
        table[0x7F] = true;
        for (const char c : "<>#%\"{}|\\^[]`")
            if (c)
                table[std::size_t(c)] = true;
        return table;
    }();
    return c >= 128 || excluded[c];
}

} // namespace

QString stringByEscapingPercents(const QString& text)
{
    const qsizetype first = text.indexOf(u'%');
    if (first < 0)
        return text;
    QString result;
    result.reserve(text.size() + 8);
    result.append(QStringView(text).first(first));
    bool changed = false;
    const qsizetype n = text.size();
    for (qsizetype i = first; i < n; ++i) {
        if (text[i] != u'%') {
            result.append(text[i]);
        } else if (beginsEscape(text, i)) {
            result.append(QStringView(text).sliced(i, 3));
            i += 2;
        } else {
            appendEscapedByte(result, '%');
            changed = true;
        }
    }
    return changed ? result : text;
}

QString encodedURLString(const QString& text)
{
    const QString decoded = decodedEscapes(stringByEscapingPercents(text));
    if (decoded.isNull())
        return {};
    QString result;
    result.reserve(decoded.size());
    const qsizetype n = decoded.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = decoded[i].unicode();
        if (!isExcluded(c)) {
            result.append(QChar(c));
            continue;
        }
        char32_t code = c;
        if (QChar::isSurrogate(c)) {
            if (!QChar::isHighSurrogate(c) || i + 1 >= n || !QChar::isLowSurrogate(decoded[i + 1].unicode()))
                return {};
            code = QChar::surrogateToUcs4(c, decoded[i + 1].unicode());
            ++i;
        }
        if (code < 0x80) {
            appendEscapedByte(result, unsigned(code));
        } else if (code < 0x800) {
            appendEscapedByte(result, 0xC0 | (code >> 6));
            appendEscapedByte(result, 0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            appendEscapedByte(result, 0xE0 | (code >> 12));
            appendEscapedByte(result, 0x80 | ((code >> 6) & 0x3F));
            appendEscapedByte(result, 0x80 | (code & 0x3F));
        } else {
            appendEscapedByte(result, 0xF0 | (code >> 18));
            appendEscapedByte(result, 0x80 | ((code >> 12) & 0x3F));
            appendEscapedByte(result, 0x80 | ((code >> 6) & 0x3F));
            appendEscapedByte(result, 0x80 | (code & 0x3F));
        }
    }
    return result;
}

} // namespace tz
