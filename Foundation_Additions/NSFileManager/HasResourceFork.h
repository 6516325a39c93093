// Whether a file carries a resource fork.
#pragma once

#include <QString>

namespace tz {

// A fork can be opened for reading (WyResourceFork) and holds something: a file without an
// AppleDouble companion, or whose companion has no fork entry, has none. False for folders.
[[nodiscard]] bool HasResourceFork(const QString& path);

} // namespace tz
