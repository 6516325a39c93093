// Paths through symbolic links (the aliases of this platform).
#pragma once

#include <QString>

namespace tz {

// The path of the item the link chain ends at; the path unchanged when it names no link.
[[nodiscard]] QString stringByResolvingSymlinksAndAliasesInPath(const QString& path);

} // namespace tz
