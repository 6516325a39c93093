// Removing the leading part a text shares with another.
#pragma once

#include <QString>

namespace tz {

// The text without the longest prefix it shares with other, compared code unit by code unit
// and case-sensitively; the text itself (the same shared data) when they share nothing.
// A text equal to other gives the empty string.
[[nodiscard]] QString stringByDeletingCommonPrefixWith(const QString& text, const QString& other);

} // namespace tz
