// Every non-overlapping occurrence of a target, found left to right. The backwards bit of
// the options is ignored; the other bits (SearchOption) apply to every search. Linear in
// the length searched. An empty target finds nothing.
#pragma once

#include "Foundation/Range.h"
#include "Foundation/StringSearch.h"

#include <QList>
#include <QString>

namespace tz {

// Occurrences inside range, which is clipped to the text.
[[nodiscard]] QList<Range> rangesOfStringOptionsRange(const QString& text, const QString& target, quint32 options,
                                                      Range range);
// The whole text, literal search.
[[nodiscard]] QList<Range> rangesOfString(const QString& text, const QString& target);
// The whole text.
[[nodiscard]] QList<Range> rangesOfStringOptions(const QString& text, const QString& target, quint32 options);

} // namespace tz
