#include "Graphics/TzNSDateFilenameLegalDate.h"

#include "Graphics/CalendarFormat.h"

#include <QLocale>
#include <QSettings>

#include <cmath>

namespace tz {

namespace {

QString withClones(QString format)
{
    return format.replace(u'/', QChar(slashClone)).replace(u':', QChar(colonClone));
}

// The moment through the user's calendar format under key, or the locale's own format.
QString part(const QDateTime& moment, const QSettings& settings, const QString& key, const QString& localeFormat)
{
    const QString userFormat = settings.value(key).toString();
    if (!userFormat.isEmpty())
        return stringWithCalendarFormat(moment, withClones(userFormat));
    return QLocale().toString(moment, withClones(localeFormat));
}

} // namespace

QString filenameLegalDateTime(const Date& date)
{
    if (!std::isfinite(date.timeIntervalSince1970()))
        return {};
    const QDateTime moment = date.dateTime().toLocalTime();
    if (!moment.isValid())
        return {};
    const QSettings settings;
    const QLocale locale;
    return part(moment, settings, QStringLiteral("NSShortDateFormatString"), locale.dateFormat(QLocale::ShortFormat))
        + QStringLiteral(", ")
        + part(moment, settings, QStringLiteral("NSTimeFormatString"), locale.timeFormat(QLocale::ShortFormat));
}

} // namespace tz
