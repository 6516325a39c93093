#include "Graphics/TzNSImageAdditions.h"

#include "Graphics/PixelFromColor.h"
#include "Graphics/TzNSBitmapImageRepRGBA8888.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace tz {

namespace {

QSize pointSize(const QImage& image)
{
    const QSizeF points = image.deviceIndependentSize();
    return {int(std::ceil(points.width())), int(std::ceil(points.height()))};
}

// A painter over a canvas made by imageWithSize, its drawings in y-up points.
class Canvas
{
public:
    explicit Canvas(QImage& image, bool smooth = true) : _height(image.height()), _painter(&image)
    {
        if (smooth)
            _painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    }

    // Draws the whole image scaled into the rectangle with the operator, its alpha times the
    // fraction (Qt's opacity does just that for source-over and destination-out, the operators
    // drawn here at fractions below 1). An empty rectangle draws nothing.
    void draw(const QImage& image, const QRectF& rect, QPainter::CompositionMode mode, qreal fraction = 1.0)
    {
        if (rect.isEmpty())
            return;
        _painter.setCompositionMode(mode);
        _painter.setOpacity(fraction);
        const QRectF target(rect.x(), _height - rect.y() - rect.height(), rect.width(), rect.height());
        _painter.drawImage(target, image, QRectF(image.rect()));
    }

    void fill(const QRectF& rect, const QColor& color) { _painter.fillRect(rect, color); }

private:
    qreal _height;
    QPainter _painter;
};

// The image drawn at its size in points; the image itself when that is its pixel size.
QImage snapshotOfFrame(const QImage& image)
{
    if (image.devicePixelRatio() == 1.0)
        return image;
    QImage canvas = imageWithSize(pointSize(image));
    if (!canvas.isNull()) {
        Canvas painter(canvas);
        painter.draw(image, frame(canvas), QPainter::CompositionMode_Source);
    }
    return canvas;
}

// Whether the set colour's alpha is 0.05 or less, as the colour stores it.
bool clearsNearlyTransparent(const QColor& setColor)
{
    return !setColor.isValid() || setColor.rgba64().alpha() <= quint16(std::lround(0.05 * 65535));
}

} // namespace

QRectF imageRect(const QImage& image)
{
    return image.isNull() ? QRectF() : QRectF(QPointF(0, 0), image.deviceIndependentSize());
}

QRectF frame(const QImage& image)
{
    return imageRect(image);
}

QImage bitMapRep(const QImage& image)
{
    return image;
}

QImage imageWithSize(const QSize& size)
{
    if (size.isEmpty())
        return {};
    QImage image(size, rgba8888Format);
    image.fill(Qt::transparent);
    return image;
}

QImage imageWithRepresentation(const QImage& representation)
{
    return representation;
}

QImage imageWithFocusedViewRect(const QPainter& canvas, const QRectF& rect)
{
    return imageWithRepresentation(bitmapWithFocusedViewRect(canvas, rect));
}

QImage RGBA8888Image(const QImage& image)
{
    return RGBA8888Representation(snapshotOfFrame(image));
}

QImage RGBA8888ImageWithImage(const QImage& image)
{
    return RGBA8888Image(image);
}

QImage unscaledImage(const QImage& image)
{
    QImage copy = image;
    copy.setDevicePixelRatio(1.0);
    return copy;
}

QImage normalizedImage(const QImage& image)
{
    return RGBA8888Image(unscaledImage(image));
}

QImage bitmapImage(const QImage& image)
{
    const QImage unscaled = unscaledImage(image);
    QImage canvas = imageWithSize(unscaled.size());
    if (!canvas.isNull()) {
        Canvas painter(canvas, false);
        painter.draw(unscaled, frame(canvas), QPainter::CompositionMode_Source);
    }
    return canvas;
}

QImage featheredAlphaMask(const QImage&)
{
    return {};
}

QImage featheredBlackBorderMask(const QImage&)
{
    return {};
}

QImage featheredImage(const QImage&)
{
    return {};
}

QImage featheredDarkBorderImage(const QImage&)
{
    return {};
}

QImage maskWithColor(const QImage& image, const QColor& color)
{
    QImage mask = imageWithSize(pointSize(image));
    if (mask.isNull())
        return {};
    Canvas painter(mask, false);
    painter.fill(frame(mask), color);
    painter.draw(image, frame(mask), QPainter::CompositionMode_DestinationIn);
    return mask;
}

QImage blackMaskWithFeatherEdge(const QImage& image, uint n)
{
    const QImage black = maskWithColor(image, Qt::black);
    QImage canvas = imageWithSize(black.size());
    if (canvas.isNull())
        return {};
    Canvas painter(canvas);
    // Once the rectangle is empty every later one is too.
    QRectF rect = frame(canvas);
    for (qint64 i = 0; i <= qint64(n) && !rect.isEmpty(); ++i) {
        painter.draw(black, rect, QPainter::CompositionMode_SourceOver, 1.0 / double(qint64(n) + 1 - i));
        rect.adjust(1, 1, -1, -1);
    }
    return canvas;
}

QImage darkBorderMask(const QImage& image, uint n)
{
    const QImage half = maskWithColor(image, QColor::fromRgbF(0, 0, 0, 0.5f));
    if (half.isNull())
        return {};
    const QImage step = maskWithColor(image, QColor::fromRgbF(0, 0, 0, n == 0 ? 1.0f : float(1.0 / n)));
    QImage canvas = half;
    Canvas painter(canvas);
    painter.draw(half, frame(half).adjusted(-1, -1, 1, 1), QPainter::CompositionMode_SourceOver);
    QRectF rect = frame(half).adjusted(1, 1, -1, -1);
    for (uint i = 0; i < n && !rect.isEmpty(); ++i) {
        painter.draw(step, rect, QPainter::CompositionMode_DestinationOut, 1.0 / double(n - i));
        rect.adjust(1, 1, -1, -1);
    }
    for (int i = 0; i < 5; ++i)
        painter.draw(step, rect, QPainter::CompositionMode_DestinationOut);
    return canvas;
}

QImage imageWithEdgesAlphaFeathered(const QImage& image, uint n)
{
    QImage mask = blackMaskWithFeatherEdge(image, n);
    if (!mask.isNull()) {
        Canvas painter(mask, false);
        painter.draw(image, frame(mask), QPainter::CompositionMode_SourceIn);
    }
    return mask;
}

QImage imageWithEdgesDarkened(const QImage& image, uint n)
{
    QImage mask = darkBorderMask(image, n);
    if (!mask.isNull()) {
        Canvas painter(mask, false);
        painter.draw(image, frame(mask), QPainter::CompositionMode_DestinationAtop);
    }
    return mask;
}

QImage imageWithColorToColorSetToColor(const QImage& image, const QColor& low, const QColor& high,
                                       const QColor& setColor)
{
    const bool clearsTransparent = clearsNearlyTransparent(setColor);
    QImage result = RGBA8888Image(image);
    if (result.isNull())
        return {};
    uchar lo[4];
    uchar hi[4];
    uchar to[4];
    PixelFromColor(lo, low);
    PixelFromColor(hi, high);
    PixelFromColor(to, setColor);
    if (!(lo[0] <= hi[0] && lo[1] <= hi[1] && lo[2] <= hi[2]))
        std::swap_ranges(lo, lo + 3, hi);

    uchar* const bytes = result.bits();
    for (qsizetype at = result.sizeInBytes() - 4; at >= 0; at -= 4) {
        uchar* const p = bytes + at;
        const bool inRange =
            p[0] >= lo[0] && p[0] <= hi[0] && p[1] >= lo[1] && p[1] <= hi[1] && p[2] >= lo[2] && p[2] <= hi[2];
        if (inRange || (clearsTransparent && p[3] < 6))
            std::memcpy(p, to, 4);
    }
    return result;
}

QImage imageBlackMaskedUpTo(const QImage& image, const QColor& color)
{
    return imageWithColorToColorSetToColor(unscaledImage(image), Qt::black, color, Qt::transparent);
}

QImage imageWhiteMaskedDownTo(const QImage& image, const QColor& color)
{
    return imageWithColorToColorSetToColor(unscaledImage(image), color, Qt::white, Qt::transparent);
}

QImage imageWithBadge(const QImage& image, const QImage& badge)
{
    if (badge.isNull())
        return image;
    QImage canvas = imageWithSize(image.isNull() ? QSize() : QSize(128, 128));
    if (canvas.isNull())
        return {};
    {
        Canvas painter(canvas);
        painter.draw(image, frame(canvas), QPainter::CompositionMode_SourceOver);
        painter.draw(badge, QRectF(0, 0, 64, 64), QPainter::CompositionMode_SourceOver);
    }
    return canvas.scaled(pointSize(image), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QColor probableBackgroundColor(const QImage& image)
{
    const QImage pixels = RGBA8888Image(image);
    if (pixels.isNull())
        return {};
    const int w = pixels.width();
    const int h = pixels.height();
    const QPoint corners[] = {{1, h - 1}, {1, 1}, {w - 1, h - 1}, {w - 1, 1}};
    QList<std::pair<QColor, int>> seen;
    for (const QPoint& corner : corners) {
        // The pixel holding the y-up point.
        const QPoint pixel(corner.x(), h - 1 - corner.y());
        if (!pixels.valid(pixel))
            break;
        const QColor color = pixels.pixelColor(pixel).toRgb();
        const auto known = std::find_if(seen.begin(), seen.end(), [&](const auto& c) { return c.first == color; });
        if (known == seen.end())
            seen.append({color, 1});
        else
            ++known->second;
    }
    for (const auto& [color, count] : seen) {
        if (count >= 2)
            return color;
    }
    return {};
}

} // namespace tz
