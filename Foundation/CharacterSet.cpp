#include "Foundation/CharacterSet.h"

#include "Foundation/VectorPaths.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tz {

namespace {

bool isZ(QChar::Category category)
{
    return category == QChar::Separator_Space || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
}

} // namespace

CharacterSet::CharacterSet()
{
    static const auto empty = std::make_shared<const Data>();
    _data = empty;
}

CharacterSet::CharacterSet(const Bits& bits)
{
    auto data = std::make_shared<Data>();
    data->bits = bits;
    for (std::size_t word = 0; word < bits.size() && data->fewCount >= 0; ++word) {
        for (quint64 w = bits[word]; w != 0; w &= w - 1) {
            if (data->fewCount == int(data->few.size())) {
                data->fewCount = -1;
                break;
            }
            data->few[std::size_t(data->fewCount++)] = char16_t(word * 64 + std::size_t(std::countr_zero(w)));
        }
    }
    _data = std::move(data);
}

CharacterSet CharacterSet::fromCharacters(QStringView characters)
{
    Bits bits{};
    for (const QChar c : characters)
        bits[c.unicode() >> 6] |= quint64(1) << (c.unicode() & 63);
    return CharacterSet(bits);
}

const CharacterSet& CharacterSet::whitespaceAndNewlineCharacterSet()
{
    static const CharacterSet set = fromPredicate(
        [](char16_t u) { return (u >= 0x09 && u <= 0x0D) || u == 0x85 || isZ(QChar::category(char32_t(u))); });
    return set;
}

const CharacterSet& CharacterSet::whitespaceCharacterSet()
{
    static const CharacterSet set =
        fromPredicate([](char16_t u) { return u == 0x09 || QChar::category(char32_t(u)) == QChar::Separator_Space; });
    return set;
}

const CharacterSet& CharacterSet::controlCharacterSet()
{
    static const CharacterSet set = fromPredicate([](char16_t u) {
        const QChar::Category category = QChar::category(char32_t(u));
        return category == QChar::Other_Control || category == QChar::Other_Format;
    });
    return set;
}

CharacterSet CharacterSet::inverted() const
{
    Bits bits;
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = ~_data->bits[i];
    return CharacterSet(bits);
}

CharacterSet CharacterSet::united(const CharacterSet& other) const
{
    Bits bits;
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = _data->bits[i] | other._data->bits[i];
    return CharacterSet(bits);
}

#if defined(__SSE2__)
namespace {
// 8 units at a time against Count members, with the member test fixed at compile time. Answers
// the index of the first unit whose membership is Member, or the first index it did not look at.
template <int Count, bool Member>
qsizetype findAmongFew(const char16_t* p, qsizetype i, qsizetype n, const std::array<char16_t, 4>& few, bool* hit)
{
    __m128i probes[Count];
    for (int j = 0; j < Count; ++j)
        probes[j] = _mm_set1_epi16(short(few[std::size_t(j)]));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i equal = _mm_cmpeq_epi16(v, probes[0]);
        for (int j = 1; j < Count; ++j)
            equal = _mm_or_si128(equal, _mm_cmpeq_epi16(v, probes[j]));
        unsigned mask = unsigned(_mm_movemask_epi8(equal));
        if constexpr (!Member)
            mask = ~mask & 0xFFFFu;
        if (mask != 0) {
            *hit = true;
            return i + std::countr_zero(mask) / 2;
        }
    }
    return i;
}

template <bool Member>
qsizetype findAmongFew(int count, const char16_t* p, qsizetype i, qsizetype n, const std::array<char16_t, 4>& few,
                       bool* hit)
{
    switch (count) {
    case 1: return findAmongFew<1, Member>(p, i, n, few, hit);
    case 2: return findAmongFew<2, Member>(p, i, n, few, hit);
    case 3: return findAmongFew<3, Member>(p, i, n, few, hit);
    default: return findAmongFew<4, Member>(p, i, n, few, hit);
    }
}
} // namespace
#endif

qsizetype CharacterSet::indexOf(QStringView text, qsizetype from, bool member) const noexcept
{
    const Data& data = *_data;
    const char16_t* p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = from < 0 ? 0 : from;
#if defined(__SSE2__)
    if (data.fewCount > 0 && n - i >= 8 && vectorPathsEnabled()) {
        bool hit = false;
        i = member ? findAmongFew<true>(data.fewCount, p, i, n, data.few, &hit)
                   : findAmongFew<false>(data.fewCount, p, i, n, data.few, &hit);
        if (hit)
            return i;
    }
#endif
    for (; i < n; ++i) {
        if (bool((data.bits[p[i] >> 6] >> (p[i] & 63)) & 1) == member)
            return i;
    }
    return -1;
}

qsizetype CharacterSet::lastIndexOfNonMember(QStringView text, qsizetype end) const noexcept
{
    const Bits& bits = _data->bits;
    const char16_t* p = text.utf16();
    for (qsizetype i = qMin(end, text.size()) - 1; i >= 0; --i) {
        if (!((bits[p[i] >> 6] >> (p[i] & 63)) & 1))
            return i;
    }
    return -1;
}

bool operator==(const CharacterSet& a, const CharacterSet& b) noexcept
{
    return a._data == b._data || a._data->bits == b._data->bits;
}

} // namespace tz
