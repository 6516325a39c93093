// Plain setters for the invisible Finder flag, and the file-system change note that goes with
// them.
#pragma once

#include <QString>

namespace tz {

// Clear (visible) or set (invisible) the invisible bit of the item, then note the change; false
// without a note when nothing is at the path, otherwise whether the flag was stored.
[[nodiscard]] bool setVisibleForFileAtPath(const QString& path);
[[nodiscard]] bool setInvisibleForFileAtPath(const QString& path);

// Does nothing: Linux file browsers learn of changes from the file system's own notification
// (inotify), which the rewritten companion and any rename already raise.
void noteFileSystemChanged(const QString& path);

} // namespace tz
