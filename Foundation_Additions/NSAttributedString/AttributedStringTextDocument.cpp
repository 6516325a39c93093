#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"

#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QFontMetricsF>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace tz {

namespace {

QUrl resourceNameOf(const TextAttachment& attachment)
{
    return QUrl(QStringLiteral("tzattachment:%1").arg(quintptr(&attachment), 0, 16));
}

// Inserts the run, every attachment character of it as the attachment's image.
void insertRun(QTextCursor& cursor, QStringView text, const QTextCharFormat& format, const TextAttachment* attachment)
{
    if (!attachment || attachment->image().isNull()) {
        cursor.insertText(text.toString(), format);
        return;
    }
    const QUrl name = resourceNameOf(*attachment);
    cursor.document()->addResource(QTextDocument::ImageResource, name, attachment->image());
    QTextImageFormat imageFormat;
    imageFormat.merge(format);
    imageFormat.setName(name.toString());
    imageFormat.setProperty(AttachmentFileNameProperty, attachment->preferredFileName());
    imageFormat.setWidth(attachment->image().width());
    imageFormat.setHeight(attachment->image().height());
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QChar::ObjectReplacementCharacter)
            continue;
        if (i > start)
            cursor.insertText(text.sliced(start, i - start).toString(), format);
        if (i < text.size())
            cursor.insertImage(imageFormat);
        start = i + 1;
    }
}

} // namespace

QTextCharFormat textCharFormatFromAttributes(const Attributes& attributes, const QFont& defaultFont)
{
    QTextCharFormat format;
    QFont font = defaultFont;
    if (const auto it = attributes.constFind(FontAttributeName); it != attributes.cend()) {
        font = it->value<QFont>();
        format.setFont(font);
    }
    if (const auto it = attributes.constFind(ForegroundColorAttributeName); it != attributes.cend())
        format.setForeground(it->value<QColor>());
    if (const auto it = attributes.constFind(BaselineOffsetAttributeName); it != attributes.cend()) {
        const qreal height = QFontMetricsF(font).height();
        if (height > 0)
            format.setBaselineOffset(it->toDouble() / height * 100.0);
    }
    if (const auto it = attributes.constFind(LinkAttributeName); it != attributes.cend()) {
        format.setAnchor(true);
        format.setAnchorHref(it->typeId() == QMetaType::QUrl ? it->toUrl().toString() : it->toString());
    }
    return format;
}

void replaceDocumentContents(QTextDocument& document, const AttributedString& text)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    const QStringView characters(text.string());
    for (qsizetype i = 0; i < text.runs().size(); ++i) {
        const Attributes& attributes = text.runs()[i].attributes;
        const Range run = text.rangeOfRun(i);
        const auto attachment = attributes.value(AttachmentAttributeName).value<TextAttachmentPtr>();
        insertRun(cursor, characters.sliced(run.location, run.length),
                  textCharFormatFromAttributes(attributes, document.defaultFont()), attachment.get());
    }
    cursor.endEditBlock();
}

} // namespace tz
