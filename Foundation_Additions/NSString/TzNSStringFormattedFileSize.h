// Human-readable file sizes: two decimals and the unit with no space between.
#pragma once

#include <QString>

namespace tz {

// The largest unit the size strictly exceeds: 512 -> "512.00Bytes", 1024 -> "1024.00Bytes",
// 1536 -> "1.50kb", 1048576 -> "1024.00kb", 3 * 2^30 -> "3.00gb"; then "tb" above 2^40.
[[nodiscard]] QString formattedFileSize(double size);

} // namespace tz
