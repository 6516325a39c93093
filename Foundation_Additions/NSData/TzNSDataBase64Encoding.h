// Bytes as Base64 text (RFC 4648 alphabet, "=" padding) and a lenient reader.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// Lines of the smallest multiple of 4 characters not below lineLength, each full line
// followed by "\n" (also the last one); a shorter last line has none. 0: one line.
[[nodiscard]] QString base64EncodingWithLineLength(const QByteArray& data, quint32 lineLength);
// Lenient reader, never null: characters outside the alphabet are skipped, reading stops
// at the first "=" (a pending group of 2 or 3 values gives 1 or 2 bytes, of 1 value one
// byte with its low bits zero), an unfinished group at the end is dropped, and a text
// with any non-ASCII character reads as empty.
[[nodiscard]] QByteArray dataWithBase64EncodedString(const QString& text);

} // namespace tz
