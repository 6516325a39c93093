// A number of the object model; it remembers the type it was stored with.
#pragma once

#include "Foundation/Object.h"

#include <variant>

namespace tz {

class Number final : public Object
{
public:
    enum class Type { Bool, Int32, Int64, UInt32, UInt64, Float, Double };
    using Storage = std::variant<bool, std::int32_t, std::int64_t, std::uint32_t, std::uint64_t, float, double>;

    explicit Number(Storage value) : _value(value) {}
    [[nodiscard]] static std::shared_ptr<const Number> make(Storage value);
    // The two shared boolean instances.
    [[nodiscard]] static std::shared_ptr<const Number> yes();
    [[nodiscard]] static std::shared_ptr<const Number> no();

    [[nodiscard]] Type type() const { return static_cast<Type>(_value.index()); }
    [[nodiscard]] bool isBoolean() const { return type() == Type::Bool; }
    [[nodiscard]] bool isFloatingPoint() const { return type() == Type::Float || type() == Type::Double; }
    [[nodiscard]] const Storage& storage() const { return _value; }

    // "NSBoolean" for booleans, "NSNumber" otherwise.
    [[nodiscard]] QString className() const override;
    [[nodiscard]] QString description() const override { return stringValue(); }
    // Numeric equality across stored types; booleans count as 0 and 1; NaN equals NaN.
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

    [[nodiscard]] std::optional<bool> boolValue() const override;
    [[nodiscard]] std::optional<std::int32_t> intValue() const override;
    [[nodiscard]] std::optional<std::int64_t> longLongValue() const override;
    [[nodiscard]] std::optional<std::uint32_t> unsignedIntValue() const override;
    [[nodiscard]] std::optional<std::uint64_t> unsignedLongLongValue() const override;
    [[nodiscard]] std::optional<double> doubleValue() const override;
    // Decimal text: booleans as "1"/"0", floating point in the shortest exact form.
    [[nodiscard]] QString stringValue() const override;

private:
    Storage _value;
};

[[nodiscard]] inline Id num(Number::Storage value)
{
    return Number::make(value);
}
[[nodiscard]] inline Id boolean(bool value)
{
    return value ? Number::yes() : Number::no();
}

} // namespace tz
