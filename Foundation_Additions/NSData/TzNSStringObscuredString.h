// A fixed one-byte mask over a string's ASCII bytes: hides text from a glance, nothing more.
#pragma once

#include <QByteArray>
#include <QString>

namespace tz {

// One byte per character of the string's lossy ASCII form (accents dropped, other
// non-ASCII characters as "?"), each XOR 0x4E.
[[nodiscard]] QByteArray obscuredString(const QString& string);
// The unmasked bytes as ASCII text; null when a byte unmasks to 0x80 or more.
[[nodiscard]] QString unobscuredStringFromData(const QByteArray& data);

} // namespace tz
