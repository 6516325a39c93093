// URL escaping: stray "%" escaping leaves only well-formed escapes and is idempotent; the uniform
// form holds only allowed ASCII and upper-case escapes, is idempotent, and decodes back to a
// text that had no "%" and no lone surrogate.
#include "Foundation_Additions/NSString/TzNSStringEncodedURLString.h"

#include "FuzzInput.h"

#include <QByteArray>

namespace {

bool isHex(QChar c, bool upperOnly)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (!upperOnly && u >= u'a' && u <= u'f');
}

bool wellFormedEscapes(const QString& s, bool upperOnly)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'%' && !(i + 2 < s.size() && isHex(s[i + 1], upperOnly) && isHex(s[i + 2], upperOnly)))
            return false;
    }
    return true;
}

bool hasLoneSurrogate(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Half the inputs as Latin-1 bytes, so that escapes and ASCII come up often.
    const QString text = (size > 0 && data[0] & 1)
        ? QString::fromLatin1(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1))
        : utf16FromBytes(data, size);
    const QString escaped = tz::stringByEscapingPercents(text);
    FUZZ_CHECK(wellFormedEscapes(escaped, false));
    FUZZ_CHECK(tz::stringByEscapingPercents(escaped) == escaped);

    const QString encoded = tz::encodedURLString(text);
    if (!encoded.isNull()) {
        FUZZ_CHECK(wellFormedEscapes(encoded, true));
        for (const QChar c : encoded)
            FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7F && !QStringView(u"<>#\"{}|\\^[]`").contains(c));
        FUZZ_CHECK(tz::encodedURLString(encoded) == encoded);
    }
    if (!text.contains(u'%') && !hasLoneSurrogate(text)) {
        FUZZ_CHECK(!encoded.isNull());
        FUZZ_CHECK(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1())) == text);
    }
    return 0;
}
