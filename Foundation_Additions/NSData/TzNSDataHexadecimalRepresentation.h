// Bytes as upper-case hexadecimal text ("0123456789ABCDEF", high nibble first, nothing
// between the pairs) and back.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// 2 x size characters; empty data gives the empty string.
[[nodiscard]] QString hexadecimalRepresentation(const QByteArray& data);
// Strict reader: digits of either case, white space (space, \t, \n, \v, \f, \r) skipped
// anywhere, also inside a pair. Null for any other character, an odd number of digits, or
// no digit at all (the empty string included).
[[nodiscard]] QByteArray dataWithHexadecimalRepresentation(const QString& text);

} // namespace tz
