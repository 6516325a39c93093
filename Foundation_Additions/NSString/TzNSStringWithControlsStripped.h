// Words of a text (maximal runs outside the control-and-white-space class) joined by single spaces.
#pragma once

#include <QString>

namespace tz {

// "  a\t\nb  " -> "a b"; a text of controls and white space only -> "".
[[nodiscard]] QString stringWithControlsStripped(const QString& text);

} // namespace tz
