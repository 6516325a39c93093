#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"

#include "Foundation/VectorPaths.h"

#include <array>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define TZ_BASE64_SSSE3 1
#endif

namespace tz {

namespace {

constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char pad = 64;
constexpr unsigned char ignored = 0x80;

// The two characters of each 12-bit value.
const std::array<std::array<char16_t, 2>, 4096> base64Pairs = [] {
    std::array<std::array<char16_t, 2>, 4096> table{};
    for (int v = 0; v < 4096; ++v)
        table[v] = {char16_t(alphabet[v >> 6]), char16_t(alphabet[v & 63])};
    return table;
}();

// Value of each ASCII character: 0-63 for the alphabet, pad for "=", ignored otherwise.
constexpr std::array<unsigned char, 128> base64Values = [] {
    std::array<unsigned char, 128> table{};
    for (auto& value : table)
        value = ignored;
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<unsigned char>(i);
    table['='] = pad;
    return table;
}();

inline char16_t* writeGroup(char16_t* out, std::uint32_t triple)
{
    std::memcpy(out, base64Pairs[triple >> 12].data(), 4);
    std::memcpy(out + 2, base64Pairs[triple & 0xFFF].data(), 4);
    return out + 4;
}

inline std::uint32_t tripleAt(const unsigned char* p)
{
    return std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
}

#ifdef TZ_BASE64_SSSE3
// Vector paths after the method of W. Mula and D. Lemire ("Faster Base64 encoding and
// decoding using AVX2 instructions"), 16 characters at a time, chosen at run time.
const bool hasSsse3 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("ssse3") != 0;
}();

// Writes `blocks` x 16 characters for blocks x 12 bytes; reads 4 bytes beyond each 12.
__attribute__((target("ssse3"))) void encodeBlocks(const unsigned char* in, char16_t* out, qsizetype blocks)
{
    const __m128i spread = _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m128i shiftLut = _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                           '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    const __m128i zero = _mm_setzero_si128();
    for (qsizetype b = 0; b < blocks; ++b, in += 12, out += 16) {
        const __m128i bytes = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)), spread);
        const __m128i high =
            _mm_mulhi_epu16(_mm_and_si128(bytes, _mm_set1_epi32(0x0fc0fc00)), _mm_set1_epi32(0x04000040));
        const __m128i low =
            _mm_mullo_epi16(_mm_and_si128(bytes, _mm_set1_epi32(0x003f03f0)), _mm_set1_epi32(0x01000010));
        const __m128i indices = _mm_or_si128(high, low);
        __m128i reduced = _mm_subs_epu8(indices, _mm_set1_epi8(51));
        reduced = _mm_or_si128(reduced, _mm_and_si128(_mm_cmpgt_epi8(_mm_set1_epi8(26), indices), _mm_set1_epi8(13)));
        const __m128i ascii = _mm_add_epi8(_mm_shuffle_epi8(shiftLut, reduced), indices);
        auto* dst = reinterpret_cast<__m128i*>(out);
        _mm_storeu_si128(dst, _mm_unpacklo_epi8(ascii, zero));
        _mm_storeu_si128(dst + 1, _mm_unpackhi_epi8(ascii, zero));
    }
}

// Decodes whole runs of 16 alphabet characters; returns how many characters it used and
// writes 12 bytes per 16 (plus 4 scratch bytes behind the last 12).
__attribute__((target("ssse3"))) qsizetype decodeBlocks(const char16_t* in, qsizetype n, unsigned char* out)
{
    const __m128i lutLo =
        _mm_setr_epi8(0x15, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x13, 0x1A, 0x1B, 0x1B, 0x1B, 0x1A);
    const __m128i lutHi =
        _mm_setr_epi8(0x10, 0x10, 0x01, 0x02, 0x04, 0x08, 0x04, 0x08, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x10);
    const __m128i lutRoll = _mm_setr_epi8(0, 16, 19, 4, -65, -65, -71, -71, 0, 0, 0, 0, 0, 0, 0, 0);
    const __m128i mask2F = _mm_set1_epi8(0x2F);
    const __m128i gather = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    qsizetype used = 0;
    for (; used + 16 <= n; used += 16, out += 12) {
        const auto* src = reinterpret_cast<const __m128i*>(in + used);
        // Units above 0xFF saturate to 0xFF or 0x00, both outside the alphabet.
        const __m128i ascii = _mm_packus_epi16(_mm_loadu_si128(src), _mm_loadu_si128(src + 1));
        const __m128i hiNibbles = _mm_and_si128(_mm_srli_epi32(ascii, 4), mask2F);
        const __m128i lo = _mm_shuffle_epi8(lutLo, _mm_and_si128(ascii, mask2F));
        const __m128i hi = _mm_shuffle_epi8(lutHi, hiNibbles);
        if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(lo, hi), _mm_setzero_si128())) != 0xFFFF)
            break;
        const __m128i roll = _mm_shuffle_epi8(lutRoll, _mm_add_epi8(_mm_cmpeq_epi8(ascii, mask2F), hiNibbles));
        const __m128i values = _mm_add_epi8(ascii, roll);
        const __m128i pairs = _mm_maddubs_epi16(values, _mm_set1_epi32(0x01400140));
        const __m128i words = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00011000));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(words, gather));
    }
    return used;
}
#endif

bool isAscii(const char16_t* p, qsizetype n)
{
    char16_t any = 0;
    for (qsizetype i = 0; i < n; ++i)
        any |= p[i];
    return any < 128;
}

} // namespace

namespace {
// Groups per line: the smallest count whose characters reach the line length.
qsizetype groupsPerLine(qsizetype groups, quint32 lineLength)
{
    return lineLength ? (qsizetype(lineLength) + 3) / 4 : groups + 1;
}
} // namespace

qsizetype base64EncodedLength(qsizetype n, quint32 lineLength) noexcept
{
    const qsizetype groups = (n + 2) / 3;
    return 4 * groups + groups / groupsPerLine(groups, lineLength);
}

void writeBase64(const unsigned char* in, qsizetype n, quint32 lineLength, char16_t* out) noexcept
{
    const qsizetype perLine = groupsPerLine((n + 2) / 3, lineLength);

    const qsizetype wholeGroups = n / 3;
    qsizetype group = 0;
    // Each round starts a line; only the last line can end short.
    while (group < wholeGroups) {
        const qsizetype lineEnd = std::min(wholeGroups, group + perLine);
        const bool fullLine = lineEnd - group == perLine;
#ifdef TZ_BASE64_SSSE3
        if (hasSsse3 && vectorPathsEnabled()) {
            // Blocks of 4 groups whose 16-byte loads stay inside the data.
            const qsizetype blocks = std::min((lineEnd - group) / 4, (wholeGroups - group - 2) / 4);
            if (blocks > 0) {
                encodeBlocks(in, out, blocks);
                group += 4 * blocks;
                in += 12 * blocks;
                out += 16 * blocks;
            }
        }
#endif
        for (; group < lineEnd; ++group, in += 3)
            out = writeGroup(out, tripleAt(in));
        if (fullLine)
            *out++ = u'\n';
    }
    const qsizetype rest = n - 3 * wholeGroups;
    if (rest) {
        const unsigned char last[3] = {in[0], rest > 1 ? in[1] : static_cast<unsigned char>(0), 0};
        out = writeGroup(out, tripleAt(last));
        out[-1] = u'=';
        if (rest == 1)
            out[-2] = u'=';
        if (++group % perLine == 0)
            *out++ = u'\n';
    }
}

QString base64EncodingWithLineLength(const QByteArray& data, quint32 lineLength)
{
    QString text(base64EncodedLength(data.size(), lineLength), Qt::Uninitialized);
    writeBase64(reinterpret_cast<const unsigned char*>(data.constData()), data.size(), lineLength,
                reinterpret_cast<char16_t*>(text.data()));
    return text;
}

qsizetype readBase64(const char16_t* in, qsizetype n, unsigned char* out) noexcept
{
    const unsigned char* const begin = out;

    std::uint32_t group = 0;
    int count = 0;
    qsizetype i = 0;
    while (i < n) {
        if (count == 0) {
#ifdef TZ_BASE64_SSSE3
            if (hasSsse3 && vectorPathsEnabled()) {
                const qsizetype used = decodeBlocks(in + i, n - i, out);
                i += used;
                out += used / 4 * 3;
            }
#endif
            // Whole groups of four alphabet characters, the usual text.
            while (i + 4 <= n) {
                const char16_t a = in[i], b = in[i + 1], c = in[i + 2], d = in[i + 3];
                if ((a | b | c | d) >= 128)
                    break;
                const unsigned va = base64Values[a], vb = base64Values[b], vc = base64Values[c], vd = base64Values[d];
                if ((va | vb | vc | vd) >= 64)
                    break;
                const std::uint32_t triple = va << 18 | vb << 12 | vc << 6 | vd;
                out[0] = static_cast<unsigned char>(triple >> 16);
                out[1] = static_cast<unsigned char>(triple >> 8);
                out[2] = static_cast<unsigned char>(triple);
                out += 3;
                i += 4;
            }
            if (i >= n)
                break;
        }
        const char16_t c = in[i++];
        if (c >= 128)
            return 0;
        const unsigned value = base64Values[c];
        if (value == ignored)
            continue;
        if (value == pad) {
            if (!isAscii(in + i, n - i))
                return 0;
            if (count == 1) {
                *out++ = static_cast<unsigned char>(group << 2);
            } else if (count >= 2) {
                group <<= 6 * (4 - count);
                *out++ = static_cast<unsigned char>(group >> 16);
                if (count == 3)
                    *out++ = static_cast<unsigned char>(group >> 8);
            }
            count = 0;
            break;
        }
        group = group << 6 | value;
        if (++count == 4) {
            out[0] = static_cast<unsigned char>(group >> 16);
            out[1] = static_cast<unsigned char>(group >> 8);
            out[2] = static_cast<unsigned char>(group);
            out += 3;
            group = 0;
            count = 0;
        }
    }
    return out - begin;
}

QByteArray dataWithBase64EncodedString(const QString& text)
{
    QByteArray bytes(text.size() / 4 * 3 + 4, Qt::Uninitialized);
    bytes.truncate(readBase64(reinterpret_cast<const char16_t*>(text.constData()), text.size(),
                              reinterpret_cast<unsigned char*>(bytes.data())));
    return bytes;
}

} // namespace tz
