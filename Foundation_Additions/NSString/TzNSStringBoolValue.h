// Yes/no words. Only the first word (split at white space and line ends, lower-cased) counts,
// and it is looked up as a substring of the word list text, so fragments count too:
// "es" is a yes, "fa" a no, "10" neither; "yes please" is a yes, "please yes" neither.
#pragma once

#include <QString>

namespace tz {

// The first word occurs in "y n yes no t f true false 1 0".
[[nodiscard]] bool hasBoolValue(const QString& text);
// The first word occurs in "y yes t true 1".
[[nodiscard]] bool boolValue(const QString& text);
// "YES" or "NO".
[[nodiscard]] QString stringWithBool(bool flag);

} // namespace tz
