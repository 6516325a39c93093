// Decimal text of an integer.
#pragma once

#include <QString>

namespace tz {

// The integer formatted with "%d": "-42" for -42.
[[nodiscard]] QString IntString(int value);

} // namespace tz
