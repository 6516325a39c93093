// The larger and the smaller of two numbers; ties and incomparable arguments give the receiver.
#pragma once

#include "Foundation/ComparisonResult.h"
#include "Foundation/Number.h"

namespace tz {

using NumberPtr = std::shared_ptr<const Number>;

// Numeric order across stored types (booleans as 0 and 1); NaN compares Same with everything.
[[nodiscard]] ComparisonResult compareNumbers(const Number& a, const Number& b);
// other only when the receiver compares smaller, otherwise the receiver.
[[nodiscard]] NumberPtr max(const NumberPtr& number, const NumberPtr& other);
// other only when the receiver compares greater, otherwise the receiver.
[[nodiscard]] NumberPtr min(const NumberPtr& number, const NumberPtr& other);

} // namespace tz
