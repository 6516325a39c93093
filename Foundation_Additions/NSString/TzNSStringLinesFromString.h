// Lines of a text. A line ends at LF, CR, CR LF, U+0085, U+2028 or U+2029; the contents
// exclude the terminator, and a final terminator starts no further line ("a\n" is one line).
#pragma once

#include "Foundation/Range.h"

#include <QList>
#include <QStringList>

namespace tz {

[[nodiscard]] QStringList lines(const QString& text);
// The ranges of the same line contents, in order; together with the terminators they cover the text.
[[nodiscard]] QList<Range> lineRanges(const QString& text);

} // namespace tz
