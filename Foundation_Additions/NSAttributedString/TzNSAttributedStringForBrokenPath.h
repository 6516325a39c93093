// A path as styled text showing how much of it exists: the existing leading part black,
// the missing rest dark red.
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

namespace tz {

// Links are not followed: «/tmp/none/file» with «/tmp» present gives «/tmp» black and
// «/none/file» dark red (red 0.5); a path whose first component is missing is all dark red.
[[nodiscard]] AttributedString attributedStringForBrokenPath(const QString& path);

} // namespace tz
