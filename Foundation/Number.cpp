#include "Foundation/Number.h"

#include <QHashFunctions>
#include <QLocale>

#include <cmath>

namespace tz {

std::shared_ptr<const Number> Number::make(Storage value)
{
    if (std::holds_alternative<bool>(value))
        return std::get<bool>(value) ? yes() : no();
    return std::make_shared<const Number>(value);
}

std::shared_ptr<const Number> Number::yes()
{
    static const auto instance = std::make_shared<const Number>(Storage(true));
    return instance;
}

std::shared_ptr<const Number> Number::no()
{
    static const auto instance = std::make_shared<const Number>(Storage(false));
    return instance;
}

QString Number::className() const
{
    return isBoolean() ? QStringLiteral("NSBoolean") : QStringLiteral("NSNumber");
}

namespace {

template <typename T>
T convert(const Number::Storage& value)
{
    return std::visit([](auto v) { return static_cast<T>(v); }, value);
}

// A double to an integer type without undefined behaviour: out-of-range values saturate, NaN gives 0.
template <typename T>
T fromDouble(double d)
{
    if (std::isnan(d))
        return 0;
    if (d <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (d >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(d);
}

template <typename T>
T integral(const Number::Storage& value)
{
    if (const auto* f = std::get_if<float>(&value))
        return fromDouble<T>(*f);
    if (const auto* d = std::get_if<double>(&value))
        return fromDouble<T>(*d);
    return convert<T>(value);
}

} // namespace

bool Number::isEqual(const Object& other) const
{
    const auto* n = dynamic_cast<const Number*>(&other);
    if (!n)
        return false;
    if (isFloatingPoint() || n->isFloatingPoint()) {
        const double a = *doubleValue();
        const double b = *n->doubleValue();
        return a == b || (std::isnan(a) && std::isnan(b)); // equality stays reflexive
    }
    const bool negA = *longLongValue() < 0 && type() != Type::UInt64;
    const bool negB = *n->longLongValue() < 0 && n->type() != Type::UInt64;
    if (negA != negB)
        return false;
    return negA ? *longLongValue() == *n->longLongValue() : *unsignedLongLongValue() == *n->unsignedLongLongValue();
}

std::size_t Number::hash() const
{
    if (isFloatingPoint()) {
        const double d = *doubleValue();
        if (d == std::floor(d) && std::fabs(d) < 9.0e18)
            return ::qHash(static_cast<std::int64_t>(d));
        return ::qHash(d);
    }
    return ::qHash(static_cast<std::int64_t>(*unsignedLongLongValue()));
}

std::optional<bool> Number::boolValue() const
{
    return std::visit([](auto v) { return v != 0; }, _value);
}

std::optional<std::int32_t> Number::intValue() const
{
    return integral<std::int32_t>(_value);
}
std::optional<std::int64_t> Number::longLongValue() const
{
    return integral<std::int64_t>(_value);
}
std::optional<std::uint32_t> Number::unsignedIntValue() const
{
    return integral<std::uint32_t>(_value);
}
std::optional<std::uint64_t> Number::unsignedLongLongValue() const
{
    return integral<std::uint64_t>(_value);
}
std::optional<double> Number::doubleValue() const
{
    return convert<double>(_value);
}

QString Number::stringValue() const
{
    return std::visit(
        [](auto v) -> QString {
            using T = decltype(v);
            if constexpr (std::is_same_v<T, bool>)
                return v ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_floating_point_v<T>)
                return QString::number(static_cast<double>(v), 'g', QLocale::FloatingPointShortest);
            else
                return QString::number(v);
        },
        _value);
}

} // namespace tz
