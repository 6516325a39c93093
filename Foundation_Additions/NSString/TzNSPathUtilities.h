// Small operations on the components of a path.
#pragma once

#include <QString>

namespace tz {

// "/" for an absolute path, the first name of a relative one, the empty string for none.
[[nodiscard]] QString firstPathComponent(const QString& path);
// All components but the first, joined: «/a/b» gives «a/b»; the empty string for fewer than two.
[[nodiscard]] QString stringByDeletingFirstPathComponent(const QString& path);
// The prefix with the path appended as a component; the path itself when the prefix is none.
[[nodiscard]] QString stringByPrependingPathComponent(const QString& path, const QString& prefix);

} // namespace tz
