// Replaces a file so that its path names either the old file or the whole new one, also
// across a crash or a power loss.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// Writes bytes into an unnamed file in path's folder, checking every write, syncs them to disk,
// names the file ".<name>.saving", renames that over path and syncs the folder so the new name
// lasts. A writer killed between naming and renaming leaves the companion, whole; the next write
// to the same path removes it (each writer holds a lock on its file, so a live writer's companion
// is never taken). A symbolic link at path stays and the file it points to is replaced; a
// replaced file keeps its permissions.
// False when any step fails (no such folder, no permission, a read-only file at path, disk full,
// file size limit): a file already at path is left as it was, no temporary is left, and errno
// tells why. False also when only the folder cannot be synced: the new file is then in place but
// may not survive a power loss.
// error, when given, then receives the reason as the system words it ("No space left on device").
[[nodiscard]] bool writeAtomically(const QByteArray& bytes, const QString& path, QString* error = nullptr);

} // namespace tz
