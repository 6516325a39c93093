#include "Graphics/TzNSDateConvenience.h"

namespace tz {

std::shared_ptr<const Date> dateWithDate(const std::shared_ptr<const Date>& date)
{
    return date ? Date::make(date->timeIntervalSince1970()) : nullptr;
}

CalendarDatePtr calendarDateWithDate(const std::shared_ptr<const Date>& date)
{
    return date ? CalendarDate::make(date->timeIntervalSince1970()) : nullptr;
}

CalendarDatePtr asCalendarDate(const std::shared_ptr<const Date>& date)
{
    if (auto calendarDate = std::dynamic_pointer_cast<const CalendarDate>(date))
        return calendarDate;
    return calendarDateWithDate(date);
}

} // namespace tz
