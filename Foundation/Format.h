// printf-style formatting with "%@" for an object's description ("(null)" for nil).
// Supports the C conversions d i o u x X c s p e E f F g G a A and %%, with flags, width,
// precision and length modifiers; a missing argument prints as 0 or "(null)".
#pragma once

#include "Foundation/Object.h"

#include <QList>
#include <QString>

#include <concepts>
#include <variant>

namespace tz {

class FormatArg
{
public:
    using Value = std::variant<std::int64_t, std::uint64_t, double, QString, Id, const void*>;

    FormatArg(std::signed_integral auto v) : _value(std::int64_t(v)) {}
    FormatArg(std::unsigned_integral auto v) : _value(std::uint64_t(v)) {}
    FormatArg(bool v) : _value(std::int64_t(v)) {}
    FormatArg(std::floating_point auto v) : _value(double(v)) {}
    FormatArg(const QString& v) : _value(v) {}
    FormatArg(const char* v) : _value(v ? QString::fromUtf8(v) : QString()) {}
    FormatArg(QLatin1StringView v) : _value(QString(v)) {}
    template <typename T>
    requires std::derived_from<T, Object> FormatArg(const std::shared_ptr<const T>& v) : _value(Id(v)) {}
    FormatArg(std::nullptr_t) : _value(Id()) {}
    FormatArg(const void* v) : _value(v) {}

    [[nodiscard]] const Value& value() const { return _value; }

private:
    Value _value;
};

[[nodiscard]] QString formatList(const QString& format, const QList<FormatArg>& args);

template <typename... Args>
[[nodiscard]] QString format(const QString& format, const Args&... args)
{
    return formatList(format, {FormatArg(args)...});
}

template <typename... Args>
[[nodiscard]] QString format(const char* format, const Args&... args)
{
    return formatList(QString::fromUtf8(format), {FormatArg(args)...});
}

} // namespace tz
