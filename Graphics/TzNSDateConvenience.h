// Conversions between plain and calendar dates.
#pragma once

#include "Graphics/CalendarDate.h"

namespace tz {

// A new plain date for the same instant; nullptr for nullptr.
[[nodiscard]] std::shared_ptr<const Date> dateWithDate(const std::shared_ptr<const Date>& date);
// A new calendar date for the same instant in the default time zone; nullptr for nullptr.
[[nodiscard]] CalendarDatePtr calendarDateWithDate(const std::shared_ptr<const Date>& date);
// The date itself when it is a calendar date, else calendarDateWithDate of it.
[[nodiscard]] CalendarDatePtr asCalendarDate(const std::shared_ptr<const Date>& date);

} // namespace tz
