#include "Graphics/TzNSBitmapImageRepRGBA8888.h"

#include <QColorSpace>
#include <QPixmap>

namespace tz {

namespace {

QImage viewOf(uchar* bytes, const QImage& bitmap)
{
    return QImage(bytes, bitmap.width(), bitmap.height(), bitmap.bytesPerLine(), bitmap.format());
}

bool isIndexed(QImage::Format format)
{
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB || format == QImage::Format_Indexed8;
}

bool canPaintOn(QImage::Format format)
{
    switch (format) {
    case QImage::Format_Invalid:
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8: return false;
    default: return true;
    }
}

// The pixels of the y-up rectangle (points) of a canvas of the given size in points.
QRect pixelRect(const QRectF& rect, const QSizeF& points, qreal ratio)
{
    const QRectF flipped(rect.x(), points.height() - rect.y() - rect.height(), rect.width(), rect.height());
    const QRectF pixels(flipped.topLeft() * ratio, flipped.size() * ratio);
    return pixels.toAlignedRect();
}

} // namespace

BitmapContext::BitmapContext(QImage& bitmap) : _view(viewOf(bitmap.bits(), bitmap)), _painter(&_view)
{}

std::unique_ptr<BitmapContext> CGContextRefForRepresentation(QImage& bitmap)
{
    if (bitmap.isNull() || !canPaintOn(bitmap.format()))
        return nullptr;
    return std::make_unique<BitmapContext>(bitmap);
}

QImage CGImageRefForRepresentation(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    // The bytes stay the bitmap's: the view never writes to them.
    QImage view(bitmap.constBits(), bitmap.width(), bitmap.height(), bitmap.bytesPerLine(), bitmap.format());
    if (isIndexed(bitmap.format()))
        view.setColorTable(bitmap.colorTable());
    return view;
}

const void* StupidCGProvider(const void* info)
{
    return info;
}

DataProvider dataProvider(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    return {bitmap.constBits(), bitmap.bytesPerLine() * bitmap.height(), StupidCGProvider};
}

QImage RGBA8888Representation(const QImage& bitmap)
{
    if (bitmap.isNull())
        return {};
    QImage result(bitmap.size(), rgba8888Format);
    if (result.isNull())
        return {};
    result.setColorSpace(bitmap.colorSpace());
    QImage source = CGImageRefForRepresentation(bitmap);
    if (isIndexed(source.format())) {
        // Qt reads past a short colour table; missing entries are transparent.
        QList<QRgb> table = source.colorTable();
        table.resize(source.format() == QImage::Format_Indexed8 ? 256 : 2, 0);
        source.setColorTable(table);
    }
    {
        const auto context = CGContextRefForRepresentation(result);
        // Copying every sample needs no cleared destination.
        context->painter().setCompositionMode(QPainter::CompositionMode_Source);
        context->painter().drawImage(QPoint(0, 0), source);
    }
    return result;
}

QImage bitmapWithFocusedViewRect(const QPainter& canvas, const QRectF& rect)
{
    QPaintDevice* const device = canvas.isActive() ? canvas.device() : nullptr;
    if (!device)
        return {};
    QImage result;
    if (device->devType() == QInternal::Image) {
        const auto& image = *static_cast<const QImage*>(device);
        const QRect pixels = pixelRect(rect, image.deviceIndependentSize(), image.devicePixelRatio());
        if (pixels.intersects(image.rect()))
            result = image.copy(pixels);
    } else if (device->devType() == QInternal::Pixmap) {
        const auto& pixmap = *static_cast<const QPixmap*>(device);
        const QRect pixels = pixelRect(rect, pixmap.deviceIndependentSize(), pixmap.devicePixelRatio());
        if (pixels.intersects(pixmap.rect()))
            result = pixmap.copy(pixels).toImage();
    }
    result.setDevicePixelRatio(1.0);
    return result;
}

} // namespace tz
