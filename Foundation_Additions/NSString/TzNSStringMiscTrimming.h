// Trimming at either end by character class.
#pragma once

#include <QString>

namespace tz {

// The receiver without white space and line ends at either end.
[[nodiscard]] QString stringByTrimmingWhiteSpaces(const QString& text);

} // namespace tz
