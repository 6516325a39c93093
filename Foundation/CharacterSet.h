// A set of UTF-16 code units, one bit per unit, shared between copies. Membership tests and
// searches allocate nothing; complement and union build a new set. Searches in sets of up to
// four units compare eight units at a time.
#pragma once

#include <QString>

#include <array>
#include <memory>

namespace tz {

class CharacterSet
{
public:
    // The empty set.
    CharacterSet();
    // The code units of the text.
    [[nodiscard]] static CharacterSet fromCharacters(QStringView characters);
    // The code units for which the predicate holds.
    template <typename Predicate>
    [[nodiscard]] static CharacterSet fromPredicate(Predicate isMember);

    // U+0009 to U+000D, U+0085 and general category Z (Zs, Zl, Zp).
    [[nodiscard]] static const CharacterSet& whitespaceAndNewlineCharacterSet();
    // General category Zs and U+0009.
    [[nodiscard]] static const CharacterSet& whitespaceCharacterSet();
    // General categories Cc and Cf.
    [[nodiscard]] static const CharacterSet& controlCharacterSet();

    [[nodiscard]] bool contains(char16_t unit) const noexcept { return (_data->bits[unit >> 6] >> (unit & 63)) & 1; }
    [[nodiscard]] bool contains(QChar c) const noexcept { return contains(c.unicode()); }
    [[nodiscard]] CharacterSet inverted() const;
    [[nodiscard]] CharacterSet united(const CharacterSet& other) const;

    // Index of the first member (or non-member) of text at or after from; -1 when there is none.
    [[nodiscard]] qsizetype indexOfMember(QStringView text, qsizetype from = 0) const noexcept
    {
        return indexOf(text, from, true);
    }
    [[nodiscard]] qsizetype indexOfNonMember(QStringView text, qsizetype from = 0) const noexcept
    {
        return indexOf(text, from, false);
    }
    // Index of the last non-member of text before end; -1 when there is none.
    [[nodiscard]] qsizetype lastIndexOfNonMember(QStringView text, qsizetype end) const noexcept;

    friend bool operator==(const CharacterSet& a, const CharacterSet& b) noexcept;

private:
    using Bits = std::array<quint64, 65536 / 64>;
    struct Data
    {
        Bits bits{};
        // The members when there are at most four of them (fewCount is -1 otherwise).
        std::array<char16_t, 4> few{};
        int fewCount = 0;
    };

    explicit CharacterSet(const Bits& bits);
    qsizetype indexOf(QStringView text, qsizetype from, bool member) const noexcept;

    std::shared_ptr<const Data> _data;
};

template <typename Predicate>
CharacterSet CharacterSet::fromPredicate(Predicate isMember)
{
    Bits bits{};
    for (char32_t u = 0; u < 65536; ++u) {
        if (isMember(char16_t(u)))
            bits[u >> 6] |= quint64(1) << (u & 63);
    }
    return CharacterSet(bits);
}

} // namespace tz
