// The year-month-day text of a calendar date ("2026-12-04") and back.
#pragma once

#include "Graphics/CalendarDate.h"

namespace tz {

// "%Y-%m-%d".
inline constexpr QStringView YMDDateFormat = u"%Y-%m-%d";

// The date in its own time zone as four-digit year, two-digit month and day: "2007-03-05".
[[nodiscard]] QString YMDRepresentation(const CalendarDate& date);
// Midnight of that day in the default time zone, for text of exactly four digits, "-", two
// digits, "-", two digits naming a real day (no blanks, signs or other digits); else nullptr.
[[nodiscard]] CalendarDatePtr dateWithYMDString(const QString& text);

} // namespace tz
