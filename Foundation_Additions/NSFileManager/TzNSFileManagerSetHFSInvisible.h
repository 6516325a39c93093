// Plain setters for the invisible Finder flag, the Finder-flag change they rest on, and the
// file-system change note that goes with them.
#pragma once

#include "Carbon/FSRef.h"

#include <QString>

namespace tz {

// Reads the item's Finder information, sets (set true) or clears the mask bits of its flags
// word and writes it back: 0, or the status of the failing step (a failed read writes nothing).
[[nodiscard]] OSErr MoreFiles_X_FSChangeFinderFlags(const FSRef& ref, bool set, quint16 flagMask);
// MoreFiles_X_FSChangeFinderFlags with the invisible bit, 0x4000.
[[nodiscard]] OSErr MoreFiles_X_FSSetInvisible(const FSRef& ref);
[[nodiscard]] OSErr MoreFiles_X_FSSetVisible(const FSRef& ref);

// Clear (visible) or set (invisible) the invisible bit of the item, then note the change; false
// without a note when the path names nothing (getFSRef fails), otherwise whether the flag was
// stored.
[[nodiscard]] bool setVisibleForFileAtPath(const QString& path);
[[nodiscard]] bool setInvisibleForFileAtPath(const QString& path);

// Does nothing: Linux file browsers learn of changes from the file system's own notification
// (inotify), which the rewritten companion and any rename already raise.
void noteFileSystemChanged(const QString& path);

} // namespace tz
