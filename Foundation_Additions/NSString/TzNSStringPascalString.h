// Pascal strings: a length byte, then up to 255 ISO Latin-1 bytes.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// A 256-byte buffer holding the text as a Pascal string (unused bytes zero); a null
// QByteArray when the text is longer than 255 code units or not all ISO Latin-1.
[[nodiscard]] QByteArray pascalString(const QString& text);
// The string of a Pascal string, decoded as ISO Latin-1. A length byte beyond the buffer
// is cut to the buffer; an empty buffer gives a null QString.
[[nodiscard]] QString stringWithPascalString(QByteArrayView pascal);

} // namespace tz
