#include "Foundation/CharacterSet.h"

namespace tz {

namespace {

const std::shared_ptr<const std::array<quint64, 1024>>& emptyBits()
{
    static const auto bits = std::make_shared<const std::array<quint64, 1024>>();
    return bits;
}

bool isZ(QChar::Category category)
{
    return category == QChar::Separator_Space || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
}

} // namespace

CharacterSet::CharacterSet() : _bits(emptyBits()) {}

CharacterSet CharacterSet::fromCharacters(QStringView characters)
{
    auto bits = std::make_shared<Bits>();
    for (const QChar c : characters)
        (*bits)[c.unicode() >> 6] |= quint64(1) << (c.unicode() & 63);
    return CharacterSet(std::move(bits));
}

const CharacterSet& CharacterSet::whitespaceAndNewlineCharacterSet()
{
    static const CharacterSet set = fromPredicate([](char16_t u) {
        return (u >= 0x09 && u <= 0x0D) || u == 0x85 || isZ(QChar::category(char32_t(u)));
    });
    return set;
}

const CharacterSet& CharacterSet::whitespaceCharacterSet()
{
    static const CharacterSet set = fromPredicate([](char16_t u) {
        return u == 0x09 || QChar::category(char32_t(u)) == QChar::Separator_Space;
    });
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
    auto bits = std::make_shared<Bits>();
    for (std::size_t i = 0; i < bits->size(); ++i)
        (*bits)[i] = ~(*_bits)[i];
    return CharacterSet(std::move(bits));
}

CharacterSet CharacterSet::united(const CharacterSet& other) const
{
    auto bits = std::make_shared<Bits>();
    for (std::size_t i = 0; i < bits->size(); ++i)
        (*bits)[i] = (*_bits)[i] | (*other._bits)[i];
    return CharacterSet(std::move(bits));
}

qsizetype CharacterSet::indexOfMember(QStringView text, qsizetype from) const noexcept
{
    const Bits& bits = *_bits;
    const char16_t* p = text.utf16();
    for (qsizetype i = qMax<qsizetype>(from, 0); i < text.size(); ++i) {
        if ((bits[p[i] >> 6] >> (p[i] & 63)) & 1)
            return i;
    }
    return -1;
}

qsizetype CharacterSet::indexOfNonMember(QStringView text, qsizetype from) const noexcept
{
    const Bits& bits = *_bits;
    const char16_t* p = text.utf16();
    for (qsizetype i = qMax<qsizetype>(from, 0); i < text.size(); ++i) {
        if (!((bits[p[i] >> 6] >> (p[i] & 63)) & 1))
            return i;
    }
    return -1;
}

qsizetype CharacterSet::lastIndexOfNonMember(QStringView text, qsizetype end) const noexcept
{
    const Bits& bits = *_bits;
    const char16_t* p = text.utf16();
    for (qsizetype i = qMin(end, text.size()) - 1; i >= 0; --i) {
        if (!((bits[p[i] >> 6] >> (p[i] & 63)) & 1))
            return i;
    }
    return -1;
}

bool operator==(const CharacterSet& a, const CharacterSet& b) noexcept
{
    return a._bits == b._bits || *a._bits == *b._bits;
}

} // namespace tz
