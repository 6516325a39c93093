// A text value of the object model.
#pragma once

#include "Foundation/Object.h"

namespace tz {

class String final : public Object
{
public:
    explicit String(QString text) : _text(std::move(text)) {}
    [[nodiscard]] static std::shared_ptr<const String> make(const QString& text);

    [[nodiscard]] const QString& text() const { return _text; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSString"); }
    [[nodiscard]] QString description() const override { return _text; }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

    // Leading white space skipped, then the longest number prefix; no number gives 0.
    [[nodiscard]] std::optional<std::int32_t> intValue() const override;
    [[nodiscard]] std::optional<std::int64_t> longLongValue() const override;
    [[nodiscard]] std::optional<double> doubleValue() const override;
    // YES for a first non-blank character among Y, y, T, t or a non-zero digit (after optional sign and zeros).
    [[nodiscard]] std::optional<bool> boolValue() const override;
    [[nodiscard]] QString stringValue() const override { return _text; }

private:
    QString _text;
};

// Shorthand for String::make.
[[nodiscard]] inline Id str(const QString& text)
{
    return String::make(text);
}
// The text of a String, or a null QString for nil and other kinds.
[[nodiscard]] QString textOf(const Id& object);

} // namespace tz
