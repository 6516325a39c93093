// The result of an ordering comparison.
#pragma once

namespace tz {

enum class ComparisonResult { Ascending = -1, Same = 0, Descending = 1 };

} // namespace tz
