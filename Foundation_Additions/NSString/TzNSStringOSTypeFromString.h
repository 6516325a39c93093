// Four-character type codes: four Mac OS Roman bytes, the first character in the most
// significant byte ("TEXT" <-> 0x54455854).
#pragma once

#include <QString>

namespace tz {

// The code of a text of exactly four characters that Mac OS Roman can hold; 0 otherwise.
[[nodiscard]] quint32 OSTypeFromString(const QString& text);
// The four characters of the code; the empty string for 0.
[[nodiscard]] QString stringWithOSType(quint32 code);

} // namespace tz
