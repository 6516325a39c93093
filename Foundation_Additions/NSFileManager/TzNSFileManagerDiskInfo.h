// The volume that holds a path: the device it is mounted from, its mount point, its file system.
#pragma once

#include <QString>

namespace tz {

// True when the volume holding the standardised path (symbolic links followed) can be queried,
// and then sets the out-strings that are given: device, the mounted-from name (a device path
// such as "/dev/sda1", or a name such as "tmpfs"); mountPoint, the folder it is mounted on;
// fileSystem, the file-system type ("ext4"). False, and nothing set, when nothing is there.
[[nodiscard]] bool deviceMountPointFileSystemForFilePath(QString* device, QString* mountPoint, QString* fileSystem,
                                                         const QString& path);

} // namespace tz
