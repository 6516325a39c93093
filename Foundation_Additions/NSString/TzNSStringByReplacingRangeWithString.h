// A copy with the characters of a range replaced.
#pragma once

#include "Foundation/Range.h"

#include <QString>

namespace tz {

// The range is clipped to the text; a range past the end appends.
[[nodiscard]] QString stringByReplacingRangeWithString(const QString& text, Range range, const QString& replacement);

} // namespace tz
