// Whether a block device holds a mounted file system, and where, from the process's mount table.
#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace DiscRecording {

// Looks for the device's "major:minor" in /proc/self/mountinfo; false when it cannot be read.
[[nodiscard]] bool isDeviceMounted(dev_t device);
// Where the device's first listed file system is mounted; null when it is not mounted or the
// table cannot be read.
[[nodiscard]] QString deviceMountPoint(dev_t device);

// Whether a mount table in the form of /proc/self/mountinfo (one mount a line: mount id,
// parent id, major:minor, root, mount point, ...) lists the device. Lines too short to hold the
// device field are skipped.
[[nodiscard]] bool mountTableListsDevice(const QByteArray& table, dev_t device);

} // namespace DiscRecording
