// Styled text: a QString with an attribute dictionary for every character, kept as runs.
// Adjacent runs never hold equal dictionaries, so two equal styled texts have equal runs.
// Indexes and lengths count UTF-16 code units; ranges outside the text are clipped to it.
#pragma once

#include "Foundation/Range.h"

#include <QList>
#include <QString>
#include <QVariantMap>

namespace tz {

// Attribute name → value. The library's own attributes hold:
//   ForegroundColorAttributeName   QColor
//   FontAttributeName              QFont
//   BaselineOffsetAttributeName    double, in points, positive raises the text
//   AttachmentAttributeName        TextAttachmentPtr (TextAttachment.h), on a U+FFFC character
//   LinkAttributeName              QUrl or QString
using Attributes = QVariantMap;

// Inline, so they are ready for any static that a file including this header defines.
inline const QString ForegroundColorAttributeName = QStringLiteral("NSColor");
inline const QString FontAttributeName = QStringLiteral("NSFont");
inline const QString BaselineOffsetAttributeName = QStringLiteral("NSBaselineOffset");
inline const QString AttachmentAttributeName = QStringLiteral("NSAttachment");
inline const QString LinkAttributeName = QStringLiteral("NSLink");

class AttributedString
{
public:
    // A stretch of characters sharing one attribute dictionary; it ends where the next begins.
    struct Run
    {
        qsizetype start = 0;
        Attributes attributes;
        friend bool operator==(const Run&, const Run&) = default;
    };

    AttributedString() = default;
    // The text with the attributes on every character.
    explicit AttributedString(const QString& text, const Attributes& attributes = {});

    // Class-level constructors; MutableAttributedString has its own, returning itself.
    [[nodiscard]] static AttributedString attributedString() { return {}; }
    [[nodiscard]] static AttributedString attributedStringWithString(const QString& text)
    {
        return AttributedString(text);
    }
    [[nodiscard]] static AttributedString attributedStringWithStringAttributes(const QString& text,
                                                                               const Attributes& attributes)
    {
        return AttributedString(text, attributes);
    }
    [[nodiscard]] static AttributedString attributedStringWithAttributedString(const AttributedString& other)
    {
        return other;
    }
    // The attachment character U+FFFC with no attributes.
    [[nodiscard]] static AttributedString attachmentString();

    // The plain characters.
    [[nodiscard]] const QString& string() const { return _text; }
    [[nodiscard]] qsizetype length() const { return _text.size(); }
    [[nodiscard]] bool isEmpty() const { return _text.isEmpty(); }

    // The runs in order; none for the empty text.
    [[nodiscard]] const QList<Run>& runs() const { return _runs; }
    [[nodiscard]] Range rangeOfRun(qsizetype runIndex) const;

    // The attributes of the character at index (empty past the end). effectiveRange receives
    // the whole run holding it, clipped to limit; runs are maximal, so this is the longest range.
    [[nodiscard]] Attributes attributesAtIndex(qsizetype index, Range* effectiveRange = nullptr,
                                               Range limit = {0, 0x7FFFFFFF}) const;
    // One attribute's value at index; an invalid QVariant where the character lacks it.
    [[nodiscard]] QVariant attributeAtIndex(const QString& name, qsizetype index) const;

    // The characters of the range with their attributes.
    [[nodiscard]] AttributedString attributedSubstringFromRange(Range range) const;

    friend bool operator==(const AttributedString&, const AttributedString&) = default;

protected:
    // The range clipped to the text, as [first, last).
    [[nodiscard]] std::pair<qsizetype, qsizetype> clip(Range range) const;
    // The index of the run holding the character at index (0 <= index < length).
    [[nodiscard]] qsizetype runIndexAt(qsizetype index) const;
    // Appends a stretch of text with one dictionary, merging it with the last run when equal.
    void appendStretch(QStringView text, const Attributes& attributes);
    // Appends [first, last) of source's characters and runs.
    void appendFrom(const AttributedString& source, qsizetype first, qsizetype last);

    QString _text;
    QList<Run> _runs;
};

// Styled text that changes in place.
class MutableAttributedString : public AttributedString
{
public:
    MutableAttributedString() = default;
    explicit MutableAttributedString(const QString& text, const Attributes& attributes = {})
        : AttributedString(text, attributes)
    {}
    explicit MutableAttributedString(const AttributedString& other) : AttributedString(other) {}

    [[nodiscard]] static MutableAttributedString attributedString() { return {}; }
    [[nodiscard]] static MutableAttributedString attributedStringWithString(const QString& text)
    {
        return MutableAttributedString(text);
    }
    [[nodiscard]] static MutableAttributedString attributedStringWithStringAttributes(const QString& text,
                                                                                      const Attributes& attributes)
    {
        return MutableAttributedString(text, attributes);
    }
    [[nodiscard]] static MutableAttributedString attributedStringWithAttributedString(const AttributedString& other)
    {
        return MutableAttributedString(other);
    }
    [[nodiscard]] static MutableAttributedString attachmentString()
    {
        return MutableAttributedString(AttributedString::attachmentString());
    }

    // Appending costs the appended text and runs only, so building text piece by piece is linear.
    void appendAttributedString(const AttributedString& other);
    void appendString(const QString& text, const Attributes& attributes = {});
    // The range's characters replaced by other's, with their attributes.
    void replaceCharactersInRange(Range range, const AttributedString& other);
    // The range's characters replaced by text, which takes the attributes of the first replaced
    // character, or of the character before when the range is empty (none at the start).
    void replaceCharactersInRange(Range range, const QString& text);
    void insertAttributedStringAtIndex(const AttributedString& other, qsizetype index);
    void deleteCharactersInRange(Range range);

    // The range's attributes replaced by attributes.
    void setAttributesInRange(const Attributes& attributes, Range range);
    // One attribute set (or replaced) over the range, other attributes kept.
    void addAttributeInRange(const QString& name, const QVariant& value, Range range);
    void addAttributesInRange(const Attributes& attributes, Range range);
    void removeAttributeInRange(const QString& name, Range range);

private:
    template <typename Edit>
    void editAttributes(Range range, Edit edit);
};

} // namespace tz
