// Marks: one-character styled strings whose attachment is a small button image (a check box),
// recognised again by the prefix of the attachment's file name. A mark class is a const
// singleton; its operations are the class operations, and nullptr stands for no class.
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

namespace tz {

class TzButtonAttachmentString
{
public:
    virtual ~TzButtonAttachmentString() = default;
    TzButtonAttachmentString(const TzButtonAttachmentString&) = delete;
    TzButtonAttachmentString& operator=(const TzButtonAttachmentString&) = delete;

    [[nodiscard]] static const TzButtonAttachmentString& markClass();
    [[nodiscard]] virtual QString className() const { return QStringLiteral("TzButtonAttachmentString"); }

    // The file-name prefix of the class's marks; here a subclass-responsibility message and none.
    [[nodiscard]] virtual QString prefix() const;
    // A new mark of the class; here a subclass-responsibility message and the empty string.
    [[nodiscard]] virtual AttributedString newInstance() const;
    // A new check-box mark in the state: U+FFFC with an attachment named
    // "<prefix><1|0>-<UUID>.tiff" holding the check box's TIFF image, baseline offset -4.
    // Empty when the class has no prefix.
    [[nodiscard]] AttributedString newInstanceWithState(bool checked) const;

    // True if the character at index carries an attachment whose file name begins with prefix().
    [[nodiscard]] bool attributedStringHasMyMarkAtIndex(const AttributedString& text, qsizetype index) const;
    // The first mark of the class inside the range, or notFoundRange.
    [[nodiscard]] Range attributedStringRangeOfMarkInRange(const AttributedString& text, Range range) const;
    [[nodiscard]] bool attributedStringContainsMarkInRange(const AttributedString& text, Range range) const;

protected:
    TzButtonAttachmentString() = default;
};

class TzCheckboxAttachmentString : public TzButtonAttachmentString
{
public:
    [[nodiscard]] static const TzCheckboxAttachmentString& markClass();
    [[nodiscard]] QString className() const override { return QStringLiteral("TzCheckboxAttachmentString"); }
    // "CBOX".
    [[nodiscard]] QString prefix() const override;
    // An unchecked check box.
    [[nodiscard]] AttributedString newInstance() const override;

protected:
    TzCheckboxAttachmentString() = default;
};

// Inserts nothing: as a line's class it leaves the line as it is.
class TzEmptyAttachmentString : public TzButtonAttachmentString
{
public:
    [[nodiscard]] static const TzEmptyAttachmentString& markClass();
    [[nodiscard]] QString className() const override { return QStringLiteral("TzEmptyAttachmentString"); }
    [[nodiscard]] AttributedString newInstance() const override;

protected:
    TzEmptyAttachmentString() = default;
};

// The TIFF images of the two check-box states, drawn once by the application's style (a plain
// box when no QApplication exists at first use); safe from any thread.
[[nodiscard]] const QByteArray& checkboxTIFFData(bool checked);

} // namespace tz
