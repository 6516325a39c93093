// Substring search inside a window of a text, with the search option bits of the string API.
// Without the literal bit the comparison is still code unit by code unit (no canonical folding).
#pragma once

#include "Foundation/Range.h"

#include <QString>

namespace tz {

enum SearchOption : quint32 {
    CaseInsensitiveSearch = 1,
    LiteralSearch = 2,
    BackwardsSearch = 4,
    AnchoredSearch = 8,
};

// The first (last, with the backwards bit) occurrence of target inside the window, which is
// clipped to the text; anchored searches match only at the window's start (end, backwards).
// An empty target is never found: {notFound, 0}.
[[nodiscard]] Range rangeOfStringOptionsRange(QStringView text, QStringView target, quint32 options, Range window);

// The same over the whole text.
[[nodiscard]] Range rangeOfStringOptions(QStringView text, QStringView target, quint32 options);

} // namespace tz
