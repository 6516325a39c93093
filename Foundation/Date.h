// A point in time of the object model, kept as seconds since 1970-01-01 UTC.
#pragma once

#include "Foundation/Object.h"

#include <QDateTime>

namespace tz {

class Date : public Object
{
public:
    explicit Date(double secondsSince1970) : _seconds(secondsSince1970) {}
    [[nodiscard]] static std::shared_ptr<const Date> make(double secondsSince1970);
    [[nodiscard]] static std::shared_ptr<const Date> fromDateTime(const QDateTime& dateTime);
    [[nodiscard]] static std::shared_ptr<const Date> now();

    // Seconds between 1970-01-01 and 2001-01-01, the property-list epoch.
    static constexpr double referenceDateOffset = 978307200.0;

    [[nodiscard]] double timeIntervalSince1970() const { return _seconds; }
    [[nodiscard]] double timeIntervalSinceReferenceDate() const { return _seconds - referenceDateOffset; }
    [[nodiscard]] QDateTime dateTime() const;

    [[nodiscard]] QString className() const override { return QStringLiteral("NSDate"); }
    // "2007-03-01 13:05:09 +0000" (UTC).
    [[nodiscard]] QString description() const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

private:
    double _seconds;
};

} // namespace tz
