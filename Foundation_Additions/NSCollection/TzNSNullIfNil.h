// The null placeholder for missing values inside collections, and its ordering.
#pragma once

#include "Foundation/ComparisonResult.h"
#include "Foundation/Null.h"

namespace tz {

// The object, or the null placeholder for nil.
[[nodiscard]] Id ifNil(const Id& object);
// nil for the null placeholder, otherwise the object.
[[nodiscard]] Id ifNull(const Id& object);
// The placeholder's compare:: Same against itself, Ascending against anything else, so it
// sorts before every other value.
[[nodiscard]] ComparisonResult nullCompare(const Id& other);

} // namespace tz
