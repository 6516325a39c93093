#include "Foundation_Additions/NSAttributedString/InsertMarks.h"

#include "Foundation/LogLine.h"
#include "Foundation/RangeFunctions.h"
#include "Foundation_Additions/NSString/TzControlAndWhitespaceCharacterSet.h"
#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"

namespace tz {

namespace {

QString nameOf(const TzButtonAttachmentString* markClass)
{
    return markClass ? markClass->className() : QStringLiteral("(null)");
}

} // namespace

void deleteMarksOfClassInRange(MutableAttributedString& text, const TzButtonAttachmentString& markClass, Range range)
{
    Range window = clippedRange(range, text.length());
    while (window.length > 0) {
        const Range mark = markClass.attributedStringRangeOfMarkInRange(text, window);
        if (!mark.found())
            return;
        text.deleteCharactersInRange(mark);
        window = makeRange(mark.location, quint32(window.end() - mark.location - 1));
    }
}

void insertLinePrefixColumnPrefixForLineRange(MutableAttributedString& text, const TzButtonAttachmentString* linePrefix,
                                              const TzButtonAttachmentString* columnPrefix, Range lineRange)
{
    const Range line = clippedRange(lineRange, text.length());
    const CharacterSet invisible = controlAndWhitespaceCharacterSet();
    qsizetype first = line.location;
    const qsizetype end = qsizetype(line.end());
    while (first < end && invisible.contains(text.string()[first]))
        ++first;
    if (first == end)
        return;

    const TzButtonAttachmentString* const markClass = first == qsizetype(line.location) ? linePrefix : columnPrefix;
    if (!markClass) {
        const auto& checkbox = TzCheckboxAttachmentString::markClass();
        if (checkbox.attributedStringContainsMarkInRange(text, line))
            deleteMarksOfClassInRange(text, checkbox, line);
        return;
    }
    if (markClass->attributedStringContainsMarkInRange(text, line))
        return;

    const QVariant font = text.attributeAtIndex(FontAttributeName, first);
    const double offset = text.attributeAtIndex(BaselineOffsetAttributeName, first).toDouble();
    const AttributedString mark = markClass->newInstance();
    if (mark.isEmpty())
        return;
    const double markOffset = mark.attributeAtIndex(BaselineOffsetAttributeName, 0).toDouble();
    text.insertAttributedStringAtIndex(mark, first);
    const Range inserted = makeRange(quint32(first), quint32(mark.length()));
    if (font.isValid())
        text.addAttributeInRange(FontAttributeName, font, inserted);
    text.addAttributeInRange(BaselineOffsetAttributeName, offset + markOffset, inserted);
}

void insertLinePrefixColumnPrefix(MutableAttributedString& text, const TzButtonAttachmentString* linePrefix,
                                  const TzButtonAttachmentString* columnPrefix)
{
    if ((!linePrefix && !columnPrefix) || text.isEmpty()) {
        TZ_LOG_LINE("-[NSMutableAttributedString(InsertMarks) insertLinePrefix:columnPrefix:]",
                    "Parameter invalid -- lpf:%@, cpf:%@ self:%@", nameOf(linePrefix), nameOf(columnPrefix),
                    text.isEmpty() ? QStringLiteral("") : text.string());
        return;
    }
    const QList<Range> lines = lineRanges(text.string());
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->length > 2)
            insertLinePrefixColumnPrefixForLineRange(text, linePrefix, columnPrefix, *it);
    }
}

} // namespace tz
