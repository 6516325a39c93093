// Paths relative to a base: by text (the plain function, which logs a path outside the base) and
// by components (never an error).
#pragma once

#include <QString>

// The text of path after base, one leading "/" dropped: «/a/b/c» and «/ab/c» relative to «/a»
// both give «b/c»; a path equal to base comes back unchanged. A path that does not begin with
// base gives none (null) and the log entry "pathRelativeTo Error: <path> does not contain <base>".
[[nodiscard]] QString pathRelativeTo(const QString& path, const QString& base);

namespace tz {

// Both standardised; the receiver's components after as many as base has, joined (the empty
// string for a receiver equal to base). The standardised receiver when base is relative or the
// receiver does not begin with it.
[[nodiscard]] QString pathRelativeTo(const QString& path, const QString& base);

} // namespace tz
