#include "Widgets/TzCheckboxAttachmentCell.h"

#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "Foundation_Additions/NSAttributedString/TzButtonAttachmentString.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>

namespace tz {

namespace {

// The index of the state digit in a check-box mark's file name, or -1.
qsizetype stateDigitIndex(const QString& name)
{
    const QString prefix = TzCheckboxAttachmentString::markClass().prefix();
    if (!name.startsWith(prefix) || name.size() <= prefix.size())
        return -1;
    const QChar digit = name[prefix.size()];
    return digit == u'0' || digit == u'1' ? prefix.size() : -1;
}

} // namespace

TzCheckboxAttachmentCell::TzCheckboxAttachmentCell(QObject* parent) : QObject(parent)
{}

void TzCheckboxAttachmentCell::setAttachment(TextAttachmentPtr attachment)
{
    _attachment = std::move(attachment);
}

bool TzCheckboxAttachmentCell::isChecked() const
{
    if (!_attachment)
        return false;
    const qsizetype digit = stateDigitIndex(_attachment->preferredFileName());
    return digit >= 0 && _attachment->preferredFileName()[digit] == u'1';
}

QByteArray TzCheckboxAttachmentCell::TIFFData() const
{
    return checkboxTIFFData(isChecked());
}

QImage TzCheckboxAttachmentCell::cellImage() const
{
    return QImage::fromData(TIFFData());
}

void TzCheckboxAttachmentCell::paint(QPainter& painter, const QRectF& frame) const
{
    painter.drawImage(frame, cellImage());
}

TextAttachmentPtr TzCheckboxAttachmentCell::toggledAttachment() const
{
    if (!_attachment)
        return {};
    QString name = _attachment->preferredFileName();
    const qsizetype digit = stateDigitIndex(name);
    if (digit < 0)
        return {};
    const bool checked = name[digit] == u'0';
    name[digit] = checked ? u'1' : u'0';
    return TextAttachment::withFile(name, checkboxTIFFData(checked));
}

void TzCheckboxAttachmentCell::trackMouseInTextEdit(QTextEdit* edit)
{
    edit->viewport()->installEventFilter(this);
}

bool TzCheckboxAttachmentCell::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && wantsToTrackMouse()) {
        auto* const mouse = static_cast<QMouseEvent*>(event);
        auto* const edit = qobject_cast<QTextEdit*>(watched->parent());
        if (edit && mouse->button() == Qt::LeftButton && toggleAt(*edit, mouse->position().toPoint()))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

bool TzCheckboxAttachmentCell::toggleAt(QTextEdit& edit, const QPoint& viewportPosition)
{
    // The image lies on one side of the cursor position nearest to the click.
    QTextCursor cursor = edit.cursorForPosition(viewportPosition);
    for (const int position : {cursor.position(), cursor.position() - 1}) {
        if (position < 0)
            continue;
        cursor.setPosition(position);
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        if (cursor.selectedText() != QString(QChar::ObjectReplacementCharacter))
            continue;
        const QTextCharFormat format = cursor.charFormat();
        if (!format.isImageFormat())
            continue;
        const QString name = format.property(AttachmentFileNameProperty).toString();
        const qsizetype digit = stateDigitIndex(name);
        if (digit < 0)
            continue;
        setAttachment(TextAttachment::withFile(name, checkboxTIFFData(name[digit] == u'1')));
        const auto toggled = toggledAttachment();
        QTextImageFormat imageFormat = format.toImageFormat();
        const QUrl resource(QStringLiteral("tzcheckbox:%1").arg(toggled->preferredFileName()));
        edit.document()->addResource(QTextDocument::ImageResource, resource, toggled->image());
        imageFormat.setName(resource.toString());
        imageFormat.setProperty(AttachmentFileNameProperty, toggled->preferredFileName());
        cursor.setCharFormat(imageFormat);
        setAttachment(toggled);
        Q_EMIT this->toggled(position, isChecked());
        return true;
    }
    return false;
}

} // namespace tz
