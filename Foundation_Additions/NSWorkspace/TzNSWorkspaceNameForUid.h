// A user's login name by number, from the user database.
#pragma once

#include <QString>

namespace tz {

// The account's login name; "UNKNOWN" when the database has no such user or cannot be read.
[[nodiscard]] QString nameForUid(quint32 uid);

} // namespace tz
