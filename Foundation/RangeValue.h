// A boxed tz::Range, for lists of ranges held as objects.
#pragma once

#include "Foundation/Object.h"
#include "Foundation/Range.h"

namespace tz {

class RangeValue final : public Object
{
public:
    explicit RangeValue(Range range) : _range(range) {}
    [[nodiscard]] static std::shared_ptr<const RangeValue> make(Range range);

    [[nodiscard]] Range range() const { return _range; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSValue"); }
    // "NSRange: {location, length}".
    [[nodiscard]] QString description() const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

private:
    Range _range;
};

} // namespace tz
