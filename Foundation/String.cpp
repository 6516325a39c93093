#include "Foundation/String.h"

#include "Foundation/PlistText.h"

#include <QHashFunctions>

#include <cmath>
#include <limits>
#include <typeinfo>

namespace tz {

std::shared_ptr<const String> String::make(const QString& text)
{
    return std::make_shared<const String>(text);
}

bool String::isEqual(const Object& other) const
{
    // String is final: a type test is enough and much cheaper than a cast through the hierarchy.
    return typeid(other) == typeid(String) && static_cast<const String&>(other)._text == _text;
}

QString String::descriptionAtLevel(int) const
{
    return plistText::quoted(_text);
}

std::size_t String::hash() const
{
    return ::qHash(_text);
}

namespace {

qsizetype skipBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return i;
}

// Reads an optional sign and decimal digits, saturating at the limits of qint64.
std::int64_t scanInteger(const QString& text)
{
    qsizetype i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    std::int64_t value = 0;
    constexpr auto max = std::numeric_limits<std::int64_t>::max();
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        const int digit = text.at(i).unicode() - '0';
        if (value > (max - digit) / 10)
            return negative ? std::numeric_limits<std::int64_t>::min() : max;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace

std::optional<std::int32_t> String::intValue() const
{
    const std::int64_t v = scanInteger(_text);
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

std::optional<std::int64_t> String::longLongValue() const
{
    return scanInteger(_text);
}

std::optional<double> String::doubleValue() const
{
    const QString rest = _text.mid(skipBlanks(_text));
    // Longest prefix that parses as a number.
    qsizetype end = 0;
    while (end < rest.size() && (rest.at(end).isDigit() || QStringLiteral("+-.eE").contains(rest.at(end))))
        ++end;
    for (; end > 0; --end) {
        bool ok = false;
        const double v = rest.left(end).toDouble(&ok);
        if (ok)
            return v;
    }
    return 0.0;
}

std::optional<bool> String::boolValue() const
{
    qsizetype i = skipBlanks(_text);
    if (i < _text.size() && (_text.at(i) == u'-' || _text.at(i) == u'+'))
        ++i;
    while (i < _text.size() && _text.at(i) == u'0')
        ++i;
    if (i >= _text.size())
        return false;
    const QChar c = _text.at(i);
    return c == u'Y' || c == u'y' || c == u'T' || c == u't' || (c >= u'1' && c <= u'9');
}

QString textOf(const Id& object)
{
    const auto* s = as<String>(object);
    return s ? s->text() : QString();
}

} // namespace tz
