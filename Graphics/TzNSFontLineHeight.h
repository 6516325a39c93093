// The height of a line set in a font.
#pragma once

#include <QFont>

namespace tz {

// The height QFontMetricsF measures for the empty string in the font (one line: ascent plus
// descent), plus 2.0 points.
[[nodiscard]] qreal lineHeight(const QFont& font);

} // namespace tz
