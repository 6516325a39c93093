// Substring search inside a window of a text, with the search option bits of the string API.
// Without the literal bit texts compare canonically: both sides in canonical decomposition (NFD),
// matched whole grapheme clusters at a time, so "e" + U+0301 finds "é" and "e" alone does not; the
// ranges found are ranges of the original text. With the literal bit, code unit by code unit.
#pragma once

#include "Foundation/Range.h"

#include <QList>
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

// Every occurrence in the window, front to back, none overlapping, each search starting where the
// last match ended (the backwards bit is ignored; with the anchored bit only a run of matches from
// the window's start counts). Linear in the window for texts that
// need no decomposition; the window is decomposed once otherwise.
[[nodiscard]] QList<Range> rangesOfStringOptionsInWindow(QStringView text, QStringView target, quint32 options,
                                                         Range window);

} // namespace tz
