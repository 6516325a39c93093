#include "Graphics/TzNSCalendarDateYMDAdditions.h"

#include "Graphics/CalendarFormat.h"

namespace tz {

namespace {

// The value of the ASCII digits text[from, from + count), or -1.
int digitsValue(QStringView text, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

} // namespace

QString YMDRepresentation(const CalendarDate& date)
{
    return stringWithCalendarFormat(date.zonedDateTime(), YMDDateFormat);
}

CalendarDatePtr dateWithYMDString(const QString& text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return nullptr;
    const int year = digitsValue(text, 0, 4);
    const int month = digitsValue(text, 5, 2);
    const int day = digitsValue(text, 8, 2);
    const QDate date(year, month, day);
    if (year < 0 || month < 0 || day < 0 || !date.isValid())
        return nullptr;
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime midnight = date.startOfDay(zone);
    if (!midnight.isValid())
        return nullptr;
    return CalendarDate::make(double(midnight.toMSecsSinceEpoch()) / 1000.0, zone);
}

} // namespace tz
