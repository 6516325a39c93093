// A date and time as text that can stand in a file name: the user's short date and time
// formats joined by ", ", with "/" shown as U+2215 and ":" as U+2236.
#pragma once

#include "Foundation/Date.h"

namespace tz {

// U+2215 DIVISION SLASH and U+2236 RATIO, shown in place of "/" and ":".
inline constexpr char16_t slashClone = 0x2215;
inline constexpr char16_t colonClone = 0x2236;

// The date in the default time zone. The formats are the user defaults NSShortDateFormatString
// and NSTimeFormatString (QSettings, calendar formats with "%" specifiers); a missing or empty
// one is replaced by the locale's short date or time format. Null for a date out of range.
[[nodiscard]] QString filenameLegalDateTime(const Date& date);

} // namespace tz
