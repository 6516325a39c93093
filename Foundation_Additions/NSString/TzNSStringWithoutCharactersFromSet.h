// The text inside a range without the members of a set.
#pragma once

#include "Foundation/CharacterSet.h"
#include "Foundation/Range.h"

#include <QString>

namespace tz {

// Only the text of range (clipped to the text) takes part; members of set are left out.
[[nodiscard]] QString stringWithoutCharactersFromSetRange(const QString& text, const CharacterSet& set, Range range);

} // namespace tz
