// Replaces a file so that its path names either the old file or the whole new one, also
// across a crash or a power loss.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// Writes bytes unbuffered under a temporary name beside path (QSaveFile), checking every
// write, syncs them to disk, renames over path and syncs the folder so the new name lasts.
// False when any step fails (no such folder, no permission, disk full, file size limit): a file
// already at path is left as it was, no temporary is left, and errno tells why. False also when
// only the folder cannot be synced: the new file is then in place but may not survive a power loss.
// error, when given, then receives the reason as the system words it ("No space left on device").
[[nodiscard]] bool writeAtomically(const QByteArray& bytes, const QString& path, QString* error = nullptr);

} // namespace tz
