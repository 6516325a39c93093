// Does a text look like hexadecimal or Base64? White space and line ends are ignored.
#pragma once

#include <QString>

namespace tz {

// At least 2 code units before and after removing blanks, all of them hexadecimal digits
// (an odd count is accepted): "ab cd" and "abc" yes, "a" and "0x12" no.
[[nodiscard]] bool isHexadecimalEncoding(const QString& text);
// At least 4 code units; without blanks a multiple of 4, all of them from the Base64
// alphabet with "=" anywhere: "QUJD" and "QU JD" yes, "QUJ" and "QUJD!" no.
[[nodiscard]] bool isBase64Encoding(const QString& text);

} // namespace tz
