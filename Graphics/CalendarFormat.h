// Dates as text through a calendar format: "%" specifiers in the strftime style
// (%Y %y %m %d %e %j %H %I %M %S %F %p %a %A %b %B %w %Z %z %%); any other text, and any
// other specifier, is copied as it stands. Names of days, months and AM/PM are English.
// An invalid moment gives null.
#pragma once

#include <QDateTime>
#include <QString>

namespace tz {

[[nodiscard]] QString stringWithCalendarFormat(const QDateTime& moment, QStringView format);

} // namespace tz
