// The file reference of a path, by value: a path that names nothing gives the all-zero reference
// and one log line "<status> returned from FSPathMakeRef for path <path>".
#pragma once

#include "Carbon/FSRef.h"

namespace tz {

[[nodiscard]] FSRef getFSRef(const QString& path);

} // namespace tz
