#include "Foundation/Date.h"

#include <QHashFunctions>

#include <cmath>

namespace tz {

std::shared_ptr<const Date> Date::make(double secondsSince1970)
{
    return std::make_shared<const Date>(secondsSince1970);
}

std::shared_ptr<const Date> Date::fromDateTime(const QDateTime& dateTime)
{
    return make(static_cast<double>(dateTime.toMSecsSinceEpoch()) / 1000.0);
}

std::shared_ptr<const Date> Date::now()
{
    return fromDateTime(QDateTime::currentDateTimeUtc());
}

QDateTime Date::dateTime() const
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(_seconds * 1000.0)), Qt::UTC);
}

QString Date::description() const
{
    return dateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" +0000");
}

bool Date::isEqual(const Object& other) const
{
    const auto* d = dynamic_cast<const Date*>(&other);
    return d && d->_seconds == _seconds;
}

std::size_t Date::hash() const
{
    return ::qHash(_seconds);
}

} // namespace tz
