// Literal replacement of every non-overlapping occurrence, found left to right.
#pragma once

#include <QString>

namespace tz {

// The receiver itself when target is empty or does not occur.
[[nodiscard]] QString stringByReplacingSubstringWithString(const QString& text, const QString& target,
                                                           const QString& replacement);

} // namespace tz
