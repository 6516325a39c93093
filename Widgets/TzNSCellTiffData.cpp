#include "Widgets/TzNSCellTiffData.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace tz {

QByteArray TIFFData(QWidget& widget)
{
    if (!widget.testAttribute(Qt::WA_WState_Created) && !widget.testAttribute(Qt::WA_Resized))
        widget.resize(widget.sizeHint());
    const QSize size = widget.size();
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "TIFF"))
        return {};
    return bytes;
}

} // namespace tz
