// Whether a block device holds a mounted file system, from the process's mount table.
#pragma once

#include <sys/types.h>

namespace DiscRecording {

// Looks for the device's "major:minor" in /proc/self/mountinfo; false when it cannot be read.
[[nodiscard]] bool isDeviceMounted(dev_t device);

} // namespace DiscRecording
