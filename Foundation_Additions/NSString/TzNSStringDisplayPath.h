// The name a Linux file manager shows for an item: not a path.
#pragma once

#include <QString>

namespace tz {

// The last path component; for a desktop entry (a file ending in ".desktop") the Name= entry of
// its [Desktop Entry] group when it has one. "/" for the root, the empty string for none.
[[nodiscard]] QString displayPath(const QString& path);

} // namespace tz
