// Helpers for the property-list text form that collections print as their description.
#pragma once

#include <QString>

namespace tz::plistText {

// The text as a property-list string: bare when it is a plain word, otherwise in double
// quotes with backslash escapes.
[[nodiscard]] QString quoted(const QString& text);
// Four blanks per nesting level.
[[nodiscard]] QString indent(int level);

} // namespace tz::plistText
