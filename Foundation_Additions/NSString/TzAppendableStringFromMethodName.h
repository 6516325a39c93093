// A method name ready to follow a prefix: "copy:" -> "Copy:".
#pragma once

#include <QString>

namespace tz {

// The first code unit in upper case, the rest unchanged.
[[nodiscard]] QString appendableStringFromMethodName(const QString& text);

} // namespace tz
