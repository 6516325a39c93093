// Resources of the program by full name ("help.html", not a name and a type).
#pragma once

#include <QString>

namespace tz {

// The main bundle's path for the resource (bundle::pathForResource); none (null) without one.
[[nodiscard]] QString ResourcePath(const QString& name);

// The resource in the bundle that holds the caller's class: every class of the program is built
// into its one executable, so that is the main bundle and the answer is ResourcePath's.
[[nodiscard]] QString pathToMyResource(const QString& name);

} // namespace tz
