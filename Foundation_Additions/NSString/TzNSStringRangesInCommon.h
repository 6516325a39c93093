// Where two texts agree or differ, as runs of ranges of the receiver. Literally: code unit i against
// code unit i. Otherwise canonically: grapheme cluster k against cluster k, each in its canonical
// decomposition, so "é" (U+00E9) agrees with "e" + U+0301. Beyond the end of the other text nothing
// agrees: "abc" against "ab" differs in {2, 1}.
#pragma once

#include "Foundation/Range.h"
#include "Foundation/StringSearch.h"

#include <QList>
#include <QString>

namespace tz {

// The maximal runs of indexes of range where agreement equals in. The case-insensitive and the
// literal bits of options count. A range beyond the text is logged and cut to the text. When the text
// of the range equals other as a whole, the result is (range) for in, () otherwise.
[[nodiscard]] QList<Range> rangesInOrNotInCommonWithStringOptionsRange(const QString& text, bool in,
                                                                       const QString& other, quint32 options,
                                                                       Range range);
// Agreeing runs, literal: "abc" with "xbc" -> ({1, 2}).
[[nodiscard]] QList<Range> rangesInCommonWithString(const QString& text, const QString& other);
// Differing runs, default comparison: "abc" with "xbc" -> ({0, 1}).
[[nodiscard]] QList<Range> rangesNotInCommonWithString(const QString& text, const QString& other);

} // namespace tz
