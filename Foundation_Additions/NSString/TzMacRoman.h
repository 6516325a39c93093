// The Mac OS Roman character set: one byte per character, ASCII in the lower half.
#pragma once

#include <QtGlobal>

namespace tz {

// The Mac OS Roman byte of a UTF-16 code unit, or -1 when the set has none.
[[nodiscard]] int macRomanByte(char16_t unit);
// The UTF-16 code unit of a Mac OS Roman byte.
[[nodiscard]] char16_t unicodeOfMacRoman(quint8 byte);

} // namespace tz
