// Styled text with its attachments as an RTFD folder: TXT.rtf, whose attachment characters
// name their files ("{{\NeXTGraphic name \width.. \height..}\'ac}"), beside one file per
// attachment. Kept: text, font family, point size, bold and italic, foreground colour,
// baseline offset (in half points) and attachments; other attributes are not saved.
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

#include <functional>
#include <optional>

namespace tz {

inline const QString RTFDTextFileName = QStringLiteral("TXT.rtf");

// The RTF of the text; fileNames holds the file name of each attachment character in order.
[[nodiscard]] QByteArray RTFFromAttributedString(const AttributedString& text, const QStringList& fileNames);

// The styled text of the RTF. An attachment's file is asked of fileContents by name (null when
// missing); names that are not plain file names are refused and give a character without
// attachment. Unknown control words and destinations are skipped; the text never fails to parse.
[[nodiscard]] AttributedString attributedStringFromRTF(const QByteArray& rtf,
                                                       const std::function<QByteArray(const QString&)>& fileContents);

// Writes the folder (created when missing): the attachments under their preferred names, made
// unique and safe, then TXT.rtf, each replaced atomically. False with error set on failure.
[[nodiscard]] bool writeRTFDToPath(const AttributedString& text, const QString& path, QString* error = nullptr);
// The text of the folder; nullopt when it holds no readable TXT.rtf.
[[nodiscard]] std::optional<AttributedString> attributedStringWithRTFDAtPath(const QString& path);

} // namespace tz
