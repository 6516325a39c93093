#include "Foundation_Additions/NSAttributedString/TzButtonAttachmentString.h"

#include "Foundation/LogLine.h"
#include "Foundation/RangeFunctions.h"
#include "Foundation_Additions/NSAttributedString/TextAttachment.h"
#include "Foundation_Additions/NSString/TzUUIDString.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace tz {

namespace {

constexpr double markBaselineOffset = -4.0;

// A plain box, and a cross when checked: for use before a QApplication exists.
void drawPlainCheckbox(QImage& image, bool checked)
{
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(image.rect().adjusted(1, 1, -2, -2));
    if (checked) {
        painter.drawLine(3, 3, image.width() - 4, image.height() - 4);
        painter.drawLine(3, image.height() - 4, image.width() - 4, 3);
    }
}

QByteArray drawCheckbox(bool checked)
{
    QStyle* const style = qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
    const int width = style ? style->pixelMetric(QStyle::PM_IndicatorWidth) : 13;
    const int height = style ? style->pixelMetric(QStyle::PM_IndicatorHeight) : 13;
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (style) {
        QStyleOptionButton option;
        option.rect = image.rect();
        option.palette = QApplication::palette();
        option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
        QPainter painter(&image);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
    } else {
        drawPlainCheckbox(image, checked);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "TIFF");
    return bytes;
}

} // namespace

const QByteArray& checkboxTIFFData(bool checked)
{
    static const QByteArray on = drawCheckbox(true);
    static const QByteArray off = drawCheckbox(false);
    return checked ? on : off;
}

const TzButtonAttachmentString& TzButtonAttachmentString::markClass()
{
    static const TzButtonAttachmentString instance;
    return instance;
}

QString TzButtonAttachmentString::prefix() const
{
    TZ_SUBCLASS_RESPONSIBILITY("+[TzButtonAttachmentString prefix]");
    return {};
}

AttributedString TzButtonAttachmentString::newInstance() const
{
    TZ_SUBCLASS_RESPONSIBILITY("+[TzButtonAttachmentString newInstance]");
    return {};
}

AttributedString TzButtonAttachmentString::newInstanceWithState(bool checked) const
{
    const QString markPrefix = prefix();
    if (markPrefix.isEmpty())
        return {};
    const QString name = markPrefix + (checked ? u'1' : u'0') + u'-' + UUIDString() + QStringLiteral(".tiff");
    const auto attachment = TextAttachment::withFile(name, checkboxTIFFData(checked));
    return AttributedString(AttributedString::attachmentString().string(),
                            {{AttachmentAttributeName, QVariant::fromValue(attachment)},
                             {BaselineOffsetAttributeName, markBaselineOffset}});
}

bool TzButtonAttachmentString::attributedStringHasMyMarkAtIndex(const AttributedString& text, qsizetype index) const
{
    if (index < 0 || index >= text.length())
        return false;
    const auto attachment = text.attributeAtIndex(AttachmentAttributeName, index).value<TextAttachmentPtr>();
    if (!attachment)
        return false;
    const QString markPrefix = prefix();
    return !markPrefix.isEmpty() && attachment->preferredFileName().startsWith(markPrefix);
}

Range TzButtonAttachmentString::attributedStringRangeOfMarkInRange(const AttributedString& text, Range range) const
{
    const Range window = clippedRange(range, text.length());
    qsizetype start = window.location;
    const qsizetype end = qsizetype(window.end());
    while (start < end) {
        const qsizetype found = text.string().indexOf(QChar::ObjectReplacementCharacter, start);
        if (found < 0 || found >= end)
            break;
        if (attributedStringHasMyMarkAtIndex(text, found))
            return makeRange(quint32(found), 1);
        start = found + 1;
    }
    return notFoundRange;
}

bool TzButtonAttachmentString::attributedStringContainsMarkInRange(const AttributedString& text, Range range) const
{
    return attributedStringRangeOfMarkInRange(text, range).found();
}

const TzCheckboxAttachmentString& TzCheckboxAttachmentString::markClass()
{
    static const TzCheckboxAttachmentString instance;
    return instance;
}

QString TzCheckboxAttachmentString::prefix() const
{
    return QStringLiteral("CBOX");
}

AttributedString TzCheckboxAttachmentString::newInstance() const
{
    return newInstanceWithState(false);
}

const TzEmptyAttachmentString& TzEmptyAttachmentString::markClass()
{
    static const TzEmptyAttachmentString instance;
    return instance;
}

AttributedString TzEmptyAttachmentString::newInstance() const
{
    return {};
}

} // namespace tz
