// A text cut in three around a range.
#pragma once

#include "Foundation/Range.h"

#include <QStringList>

namespace tz {

// (before, inside, after) the range, which is clipped to the text.
[[nodiscard]] QStringList substringsFromRange(const QString& text, Range range);

} // namespace tz
