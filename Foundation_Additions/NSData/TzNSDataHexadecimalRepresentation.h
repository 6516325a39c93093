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

// The same on raw buffers, for callers that keep their own. The writer puts 2 x n characters at
// out; the reader puts at most n / 2 bytes at out and answers their count, or -1 where the text
// reader answers null.
void writeHexadecimal(const unsigned char* in, qsizetype n, char16_t* out) noexcept;
[[nodiscard]] qsizetype readHexadecimal(const char16_t* in, qsizetype n, unsigned char* out) noexcept;

} // namespace tz
