// Shows a check-box mark and toggles it on click. A cell tracks the text edits it is given:
// a click on a check-box mark there flips the mark's state (its file name digit and image).
#pragma once

#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QObject>
#include <QPointF>

class QPainter;
class QTextEdit;

namespace tz {

class TzCheckboxAttachmentCell : public QObject
{
    Q_OBJECT

public:
    explicit TzCheckboxAttachmentCell(QObject* parent = nullptr);

    [[nodiscard]] const TextAttachmentPtr& attachment() const { return _attachment; }
    void setAttachment(TextAttachmentPtr attachment);

    // The state in the attachment's file name ("CBOX1-..." is checked); false without attachment.
    [[nodiscard]] bool isChecked() const;
    // The check box in the attachment's state as TIFF bytes, and as an image.
    [[nodiscard]] QByteArray TIFFData() const;
    [[nodiscard]] QImage cellImage() const;
    // The image sits 4 points below the baseline.
    [[nodiscard]] QPointF cellBaselineOffset() const { return {0, -4}; }
    [[nodiscard]] bool wantsToTrackMouse() const { return true; }
    void paint(QPainter& painter, const QRectF& frame) const;

    // The attachment in the other state: same name with the state digit flipped, other image.
    // None when the attachment is not a check-box mark.
    [[nodiscard]] TextAttachmentPtr toggledAttachment() const;

    // Clicks on check-box marks in the edit's document toggle them. The edit must outlive
    // tracking or delete the cell with it (make the edit the parent).
    void trackMouseInTextEdit(QTextEdit* edit);

Q_SIGNALS:
    // After a click toggled the mark at position; attachment() is the mark in its new state.
    void toggled(int position, bool checked);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool toggleAt(QTextEdit& edit, const QPoint& viewportPosition);

    TextAttachmentPtr _attachment;
};

} // namespace tz
