// One-character strings.
#pragma once

#include <QString>

namespace tz {

// The string of one code unit, U+0000 included.
[[nodiscard]] inline QString stringWithUnichar(char16_t unit)
{
    return QString(QChar(unit));
}

// U+FFFC OBJECT REPLACEMENT CHARACTER, which stands for an attachment in styled text.
[[nodiscard]] inline QString attachmentString()
{
    return stringWithUnichar(0xFFFC);
}

} // namespace tz
