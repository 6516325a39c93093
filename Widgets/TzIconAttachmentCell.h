// Draws an icon attachment of an iconic path: the 16-point icon with 2 points of space,
// 2 points to the left of and 4 below the baseline.
#pragma once

#include "Foundation_Additions/NSAttributedString/TextAttachment.h"

#include <QPointF>
#include <QSize>

class QPainter;
class QRectF;

namespace tz {

class TzIconAttachmentCell
{
public:
    TzIconAttachmentCell() = default;
    explicit TzIconAttachmentCell(TextAttachmentPtr attachment) : _attachment(std::move(attachment)) {}

    [[nodiscard]] const TextAttachmentPtr& attachment() const { return _attachment; }
    void setAttachment(TextAttachmentPtr attachment) { _attachment = std::move(attachment); }

    [[nodiscard]] QSize cellSize() const { return {18, 16}; }
    [[nodiscard]] QPointF cellBaselineOffset() const { return {-2, -4}; }
    // The attachment's image in the frame's left 16 by 16 points; nothing without an image.
    void paint(QPainter& painter, const QRectF& frame) const;

private:
    TextAttachmentPtr _attachment;
};

} // namespace tz
