#include "Graphics/CalendarDate.h"

#include "Graphics/CalendarFormat.h"

namespace tz {

CalendarDatePtr CalendarDate::make(double secondsSince1970)
{
    return make(secondsSince1970, QTimeZone::systemTimeZone());
}

CalendarDatePtr CalendarDate::make(double secondsSince1970, const QTimeZone& timeZone)
{
    return std::make_shared<const CalendarDate>(secondsSince1970, timeZone.isValid() ? timeZone : QTimeZone::utc());
}

QDateTime CalendarDate::zonedDateTime() const
{
    return dateTime().toTimeZone(_timeZone);
}

QString CalendarDate::description() const
{
    return stringWithCalendarFormat(zonedDateTime(), u"%Y-%m-%d %H:%M:%S %z");
}

} // namespace tz
