// Indentation depth in tabs.
#pragma once

#include <QString>

namespace tz {

// The number of tabs in the leading run of control-and-white-space code units:
// "\t\t x" -> 2, " \tx\ty" -> 1, "x" -> 0.
[[nodiscard]] qsizetype tabIndent(const QString& text);

} // namespace tz
