#include "Widgets/TzIconAttachmentCell.h"

#include <QPainter>

namespace tz {

void TzIconAttachmentCell::paint(QPainter& painter, const QRectF& frame) const
{
    if (!_attachment || _attachment->image().isNull())
        return;
    const qreal side = qMin<qreal>(frame.height(), 16);
    painter.drawImage(QRectF(frame.topLeft(), QSizeF(side, side)), _attachment->image());
}

} // namespace tz
