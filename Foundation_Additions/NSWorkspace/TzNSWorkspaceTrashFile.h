// Moving an item to the desktop's Trash (the freedesktop.org trash: the item under Trash/files,
// its original path and date under Trash/info, in the user's trash or one on the item's volume).
#pragma once

#include <QString>

namespace tz {

// Whether the item (file, folder or link) is now in a trash. The user's trash folder is made
// first when missing (Qt alone would otherwise, with no data folder yet, move the item into
// "files" below the current folder); false, with the item left in place, when it cannot be made.
[[nodiscard]] bool trashFileAtPath(const QString& path);

} // namespace tz
