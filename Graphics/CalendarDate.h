// A date that keeps the time zone it is shown in.
#pragma once

#include "Foundation/Date.h"

#include <QTimeZone>

namespace tz {

class CalendarDate final : public Date
{
public:
    CalendarDate(double secondsSince1970, QTimeZone timeZone) : Date(secondsSince1970), _timeZone(std::move(timeZone))
    {}
    // In the default (system) time zone.
    [[nodiscard]] static std::shared_ptr<const CalendarDate> make(double secondsSince1970);
    [[nodiscard]] static std::shared_ptr<const CalendarDate> make(double secondsSince1970, const QTimeZone& timeZone);

    [[nodiscard]] const QTimeZone& timeZone() const { return _timeZone; }
    // The instant in the date's own zone.
    [[nodiscard]] QDateTime zonedDateTime() const;

    [[nodiscard]] QString className() const override { return QStringLiteral("NSCalendarDate"); }
    // "2026-12-04 17:03:09 +0100", in the date's own zone.
    [[nodiscard]] QString description() const override;

private:
    QTimeZone _timeZone;
};

using CalendarDatePtr = std::shared_ptr<const CalendarDate>;

} // namespace tz
