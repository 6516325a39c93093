// One cdrom ioctl on a device node: open read-only and non-blocking, issue it, close. No
// descriptor is kept open between calls (an open descriptor makes every eject fail as busy).
#pragma once

#include <QString>

namespace DiscRecording {

// The ioctl's result, or -errno when the node cannot be opened or the ioctl fails.
[[nodiscard]] int cdromIoctl(const QString& node, unsigned long request, unsigned long arg = 0);

} // namespace DiscRecording
