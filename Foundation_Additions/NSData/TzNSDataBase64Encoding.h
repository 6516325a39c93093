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

// The same on raw buffers, for callers that keep their own: the writer puts
// base64EncodedLength(n, lineLength) characters at out; the reader puts at most n / 4 x 3 + 4
// bytes at out and answers their count (0 where the text reader answers empty).
[[nodiscard]] qsizetype base64EncodedLength(qsizetype n, quint32 lineLength) noexcept;
void writeBase64(const unsigned char* in, qsizetype n, quint32 lineLength, char16_t* out) noexcept;
[[nodiscard]] qsizetype readBase64(const char16_t* in, qsizetype n, unsigned char* out) noexcept;

} // namespace tz
