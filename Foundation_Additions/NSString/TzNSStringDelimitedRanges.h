// Ranges of the fields between delimiters: n delimiters give n + 1 ranges, empty fields
// included; the empty text gives the one range {0, 0}. An empty delimiter splits nothing.
#pragma once

#include "Foundation/Range.h"

#include <QList>
#include <QString>

namespace tz {

[[nodiscard]] QList<Range> rangesDelimitedByString(const QString& text, const QString& delimiter);
// Delimiter "\t".
[[nodiscard]] QList<Range> tabDelimitedRanges(const QString& text);

} // namespace tz
