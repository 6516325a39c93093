// Value-style operations on styled text: appending without changing the receiver, splitting
// at a separator with each piece keeping its styles, and the attribute runs of a range.
// The class-level constructors are static members of AttributedString and MutableAttributedString.
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

namespace tz {

// The receiver followed by other, of the receiver's own kind; the receiver is unchanged.
[[nodiscard]] AttributedString attributedStringByAppendingAttributedString(const AttributedString& text,
                                                                           const AttributedString& other);
[[nodiscard]] MutableAttributedString attributedStringByAppendingAttributedString(const MutableAttributedString& text,
                                                                                  const AttributedString& other);

// The ranges of the fields between delimiters of the plain text: n delimiters give n + 1
// fields, empty ones included; the empty text gives one empty field, and so does an empty delimiter.
[[nodiscard]] QList<Range> rangesDelimitedByString(const AttributedString& text, const QString& delimiter);
// One styled string per field, each with its characters' attributes.
[[nodiscard]] QList<AttributedString> componentsSeparatedByString(const AttributedString& text,
                                                                  const QString& separator);
[[nodiscard]] QList<AttributedString> componentsSeparatedByTab(const AttributedString& text);

// The dictionaries of the successive runs in the range, each run clipped to it. An empty range
// inside the text gives the one dictionary at its location; an empty list stands for none
// (an empty range at the end of the text, or a range past it).
[[nodiscard]] QList<Attributes> attributesInRange(const AttributedString& text, Range range);
// True if a run in the range has a value for the attribute.
[[nodiscard]] bool attributeFoundInRange(const AttributedString& text, const QString& name, Range range);

} // namespace tz
