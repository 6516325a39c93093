// Styled text into a QTextDocument, so that a QTextEdit shows it: colours, fonts, baseline
// offsets, links, and attachments as inline images. The document's toPlainText() then equals
// the styled text's string() for text without U+2028, U+2029 and CR (which become line ends).
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

#include <QTextCharFormat>

class QTextDocument;

namespace tz {

// The property of an attachment's image format holding the attachment's preferred file name.
inline constexpr int AttachmentFileNameProperty = QTextFormat::UserProperty + 1;

// The format a run with these attributes gets; the font sizes the baseline offset, which the
// document measures in percent of the font's height. Unknown attributes are left out.
[[nodiscard]] QTextCharFormat textCharFormatFromAttributes(const Attributes& attributes, const QFont& defaultFont);

// Replaces the document's contents with the styled text; the undo history starts afresh.
void replaceDocumentContents(QTextDocument& document, const AttributedString& text);

} // namespace tz
