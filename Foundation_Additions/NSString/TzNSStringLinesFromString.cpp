#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"

#include "Foundation/VectorPaths.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tz {

namespace {

constexpr bool isTerminator(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// Index of the next terminator at or after from, or n.
qsizetype nextTerminator(const char16_t* p, qsizetype from, qsizetype n)
{
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi16(0x0A);
    const __m128i cr = _mm_set1_epi16(0x0D);
    const __m128i nel = _mm_set1_epi16(0x85);
    const __m128i ls = _mm_set1_epi16(0x2028);
    const __m128i ps = _mm_set1_epi16(0x2029);
    const qsizetype vectorEnd = vectorPathsEnabled() ? n : 0;
    for (; i + 8 <= vectorEnd; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i hit = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi16(v, lf), _mm_cmpeq_epi16(v, cr)),
            _mm_or_si128(_mm_cmpeq_epi16(v, nel), _mm_or_si128(_mm_cmpeq_epi16(v, ls), _mm_cmpeq_epi16(v, ps))));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0)
            return i + __builtin_ctz(unsigned(mask)) / 2;
    }
#endif
    for (; i < n; ++i) {
        if (isTerminator(p[i]))
            return i;
    }
    return n;
}

// Calls line(start, contentsEnd) for every line of the text.
template <typename Line>
void forEachLine(QStringView text, Line line)
{
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype end = nextTerminator(p, i, n);
        line(i, end);
        i = end + ((end + 1 < n && p[end] == u'\r' && p[end + 1] == u'\n') ? 2 : 1);
    }
}

} // namespace

QStringList lines(const QString& text)
{
    QStringList result;
    forEachLine(text, [&](qsizetype start, qsizetype end) { result.append(text.sliced(start, end - start)); });
    return result;
}

QList<Range> lineRanges(const QString& text)
{
    QList<Range> result;
    forEachLine(text, [&](qsizetype start, qsizetype end) {
        result.append(Range{quint32(start), quint32(end - start)});
    });
    return result;
}

} // namespace tz
