#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"

#include "Foundation/VectorPaths.h"

#include <array>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tz {

namespace {

constexpr signed char skip = -2;
constexpr signed char bad = -1;

// Value of each ASCII character: 0-15 for a digit, skip for white space, bad otherwise.
constexpr std::array<signed char, 128> hexValues = [] {
    std::array<signed char, 128> table{};
    for (auto& value : table)
        value = bad;
    for (int c = '0'; c <= '9'; ++c)
        table[c] = static_cast<signed char>(c - '0');
    for (int c = 'A'; c <= 'F'; ++c)
        table[c] = static_cast<signed char>(c - 'A' + 10);
    for (int c = 'a'; c <= 'f'; ++c)
        table[c] = static_cast<signed char>(c - 'a' + 10);
    for (const char c : {' ', '\t', '\n', '\v', '\f', '\r'})
        table[static_cast<unsigned char>(c)] = skip;
    return table;
}();

// The two characters of each byte.
constexpr std::array<std::array<char16_t, 2>, 256> hexPairs = [] {
    constexpr char16_t digits[] = u"0123456789ABCDEF";
    std::array<std::array<char16_t, 2>, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = {digits[b >> 4], digits[b & 15]};
    return table;
}();

inline int valueOf(char16_t c)
{
    return c < 128 ? hexValues[c] : bad;
}

} // namespace

void writeHexadecimal(const unsigned char* in, qsizetype n, char16_t* out) noexcept
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    const __m128i nine = _mm_set1_epi8(9);
    const __m128i zeroDigit = _mm_set1_epi8('0');
    const __m128i letterStep = _mm_set1_epi8('A' - '0' - 10);
    const __m128i zero = _mm_setzero_si128();
    const auto digitsOf = [&](__m128i nibbles) {
        const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(nibbles, nine), letterStep);
        return _mm_add_epi8(_mm_add_epi8(nibbles, zeroDigit), letters);
    };
    const qsizetype vectorEnd = vectorPathsEnabled() ? n : 0;
    for (; i + 16 <= vectorEnd; i += 16, out += 32) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i high = digitsOf(_mm_and_si128(_mm_srli_epi16(bytes, 4), lowNibble));
        const __m128i low = digitsOf(_mm_and_si128(bytes, lowNibble));
        const __m128i first = _mm_unpacklo_epi8(high, low);
        const __m128i second = _mm_unpackhi_epi8(high, low);
        auto* dst = reinterpret_cast<__m128i*>(out);
        _mm_storeu_si128(dst, _mm_unpacklo_epi8(first, zero));
        _mm_storeu_si128(dst + 1, _mm_unpackhi_epi8(first, zero));
        _mm_storeu_si128(dst + 2, _mm_unpacklo_epi8(second, zero));
        _mm_storeu_si128(dst + 3, _mm_unpackhi_epi8(second, zero));
    }
#endif
    for (; i < n; ++i, out += 2)
        std::memcpy(out, hexPairs[in[i]].data(), sizeof(char16_t) * 2);
}

QString hexadecimalRepresentation(const QByteArray& data)
{
    QString text(2 * data.size(), Qt::Uninitialized);
    writeHexadecimal(reinterpret_cast<const unsigned char*>(data.constData()), data.size(),
                     reinterpret_cast<char16_t*>(text.data()));
    return text;
}

qsizetype readHexadecimal(const char16_t* in, qsizetype n, unsigned char* out) noexcept
{
    const unsigned char* const begin = out;
    int high = bad;
    qsizetype i = 0;
    while (i < n) {
        if (high < 0) {
            // Whole pairs of digits, the usual text, without the state machine.
            while (i + 1 < n) {
                const int h = valueOf(in[i]);
                const int l = valueOf(in[i + 1]);
                if ((h | l) < 0)
                    break;
                *out++ = static_cast<unsigned char>(h << 4 | l);
                i += 2;
            }
            if (i >= n)
                break;
        }
        const int value = valueOf(in[i++]);
        if (value == bad)
            return -1;
        if (value == skip)
            continue;
        if (high < 0) {
            high = value;
        } else {
            *out++ = static_cast<unsigned char>(high << 4 | value);
            high = bad;
        }
    }
    if (high >= 0 || out == begin)
        return -1;
    return out - begin;
}

QByteArray dataWithHexadecimalRepresentation(const QString& text)
{
    QByteArray bytes(text.size() / 2 + 1, Qt::Uninitialized);
    const qsizetype written = readHexadecimal(reinterpret_cast<const char16_t*>(text.constData()), text.size(),
                                              reinterpret_cast<unsigned char*>(bytes.data()));
    if (written < 0)
        return {};
    bytes.truncate(written);
    return bytes;
}

} // namespace tz
