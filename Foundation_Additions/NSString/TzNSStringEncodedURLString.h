// URL escaping: stray "%" signs escaped, and a uniform percent-escaped form of a text.
#pragma once

#include <QString>

namespace tz {

// Every "%" not followed by two hexadecimal digits replaced by "%25"; the receiver itself when
// there is none.
[[nodiscard]] QString stringByEscapingPercents(const QString& text);
// The text with stray "%" escaped, every escape decoded (runs of escapes as UTF-8), then every
// character RFC 2396 excludes from URLs escaped as its UTF-8 bytes with upper-case digits:
// controls U+0000-U+001F and U+007F, space, "<>#%\"", "{}|\\^[]`" and everything beyond ASCII.
// Null when escapes do not decode as UTF-8 or the text holds a lone surrogate.
[[nodiscard]] QString encodedURLString(const QString& text);

} // namespace tz
