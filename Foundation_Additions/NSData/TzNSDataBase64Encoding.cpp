#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"

#include <array>
#include <cstring>

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

bool isAscii(const char16_t* p, qsizetype n)
{
    char16_t any = 0;
    for (qsizetype i = 0; i < n; ++i)
        any |= p[i];
    return any < 128;
}

} // namespace

QString base64EncodingWithLineLength(const QByteArray& data, quint32 lineLength)
{
    const qsizetype n = data.size();
    const qsizetype groups = (n + 2) / 3;
    // Groups per line: the smallest count whose characters reach the line length.
    const qsizetype perLine = lineLength ? (qsizetype(lineLength) + 3) / 4 : groups + 1;
    QString text(4 * groups + groups / perLine, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
    auto* out = reinterpret_cast<char16_t*>(text.data());

    const qsizetype wholeGroups = n / 3;
    qsizetype group = 0;
    while (group < wholeGroups) {
        const qsizetype lineEnd = std::min(wholeGroups, group - group % perLine + perLine);
        for (; group < lineEnd; ++group, in += 3)
            out = writeGroup(out, tripleAt(in));
        if (group % perLine == 0)
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
    return text;
}

QByteArray dataWithBase64EncodedString(const QString& text)
{
    const qsizetype n = text.size();
    const auto* in = reinterpret_cast<const char16_t*>(text.constData());
    QByteArray bytes(n / 4 * 3 + 3, Qt::Uninitialized);
    auto* out = reinterpret_cast<unsigned char*>(bytes.data());
    const unsigned char* const begin = out;

    std::uint32_t group = 0;
    int count = 0;
    qsizetype i = 0;
    while (i < n) {
        if (count == 0) {
            // Whole groups of four alphabet characters, the usual text.
            while (i + 4 <= n) {
                const char16_t a = in[i], b = in[i + 1], c = in[i + 2], d = in[i + 3];
                if ((a | b | c | d) >= 128)
                    break;
                const unsigned va = base64Values[a], vb = base64Values[b], vc = base64Values[c],
                               vd = base64Values[d];
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
            return QByteArray("");
        const unsigned value = base64Values[c];
        if (value == ignored)
            continue;
        if (value == pad) {
            if (!isAscii(in + i, n - i))
                return QByteArray("");
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
    bytes.truncate(out - begin);
    return bytes;
}

} // namespace tz
