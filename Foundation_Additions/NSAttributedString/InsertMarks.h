// Putting marks in front of lines of styled text and taking them out again. A line that
// begins with visible text gets the line-prefix class's mark, an indented line the
// column-prefix class's mark after its indentation; nullptr stands for no class.
#pragma once

#include "Foundation_Additions/NSAttributedString/TzButtonAttachmentString.h"

namespace tz {

// Marks every line of three or more characters, from the last line to the first. With both
// classes none, or an empty text, logs "Parameter invalid -- ..." and changes nothing.
void insertLinePrefixColumnPrefix(MutableAttributedString& text, const TzButtonAttachmentString* linePrefix,
                                  const TzButtonAttachmentString* columnPrefix);

// Marks the line whose contents are lineRange, unless it is blank or already holds a mark of its
// class. The mark takes the font of the first visible character and its baseline offset added to
// its own. A line whose class is none loses its check-box marks.
void insertLinePrefixColumnPrefixForLineRange(MutableAttributedString& text, const TzButtonAttachmentString* linePrefix,
                                              const TzButtonAttachmentString* columnPrefix, Range lineRange);

// Removes every mark of the class inside the range; the rest of the text is unchanged.
void deleteMarksOfClassInRange(MutableAttributedString& text, const TzButtonAttachmentString& markClass, Range range);

} // namespace tz
