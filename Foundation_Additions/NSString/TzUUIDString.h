// New random UUIDs as text.
#pragma once

#include <QString>

namespace tz {

// 36 characters: upper-case hexadecimal in groups of 8, 4, 4, 4 and 12 joined by "-".
[[nodiscard]] QString UUIDString();

} // namespace tz
