// Plain 8-bit RGBA bitmaps, and painters, images and byte providers that work on a bitmap's own
// bytes without copying them. Bitmaps are QImages; their size in points is their pixel size
// divided by their device pixel ratio.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <memory>

namespace tz {

// The RGBA8888 bitmap: one plane of 4 bytes a pixel (red, green, blue, alpha, alpha
// premultiplied), rows of exactly 4 × width bytes.
inline constexpr QImage::Format rgba8888Format = QImage::Format_RGBA8888_Premultiplied;

// A painter drawing straight into a bitmap's bytes.
class BitmapContext
{
public:
    explicit BitmapContext(QImage& bitmap);
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    [[nodiscard]] QPainter& painter() { return _painter; }

private:
    QImage _view;
    QPainter _painter;
};

// A painter over the bitmap's own bytes (the bitmap is detached first if it shares them), or
// nullptr for a null bitmap or one in a format that cannot be painted on (indexed, mono). The
// bitmap must outlive it and must not be reallocated while it lives.
[[nodiscard]] std::unique_ptr<BitmapContext> CGContextRefForRepresentation(QImage& bitmap);

// An image over the bitmap's own bytes, in the bitmap's format (with alpha when the bitmap has
// it); it shows the bytes as they are when it is read. A null image for a null bitmap. The
// bitmap must outlive it.
[[nodiscard]] QImage CGImageRefForRepresentation(const QImage& bitmap);

// Direct access to bytes: size bytes starting at getBytePointer(info).
struct DataProvider
{
    const void* info = nullptr;
    qsizetype size = 0;
    const void* (*getBytePointer)(const void* info) = nullptr;

    [[nodiscard]] const uchar* bytes() const
    {
        return getBytePointer ? static_cast<const uchar*>(getBytePointer(info)) : nullptr;
    }
};

// The byte-pointer callback of dataProvider: hands back the pointer it is given.
[[nodiscard]] const void* StupidCGProvider(const void* info);

// A provider of the bitmap's bytesPerLine × height bytes, over the bitmap's own buffer (nothing
// is copied, nothing detached); size 0 and no bytes for a null bitmap. The bitmap must outlive it.
[[nodiscard]] DataProvider dataProvider(const QImage& bitmap);

// A new RGBA8888 bitmap of the bitmap's pixel size and colour space with the bitmap drawn into
// it unchanged, through the two bridges above; its size in points is its pixel size. A null
// image for a null bitmap.
[[nodiscard]] QImage RGBA8888Representation(const QImage& bitmap);

// A copy of what is drawn in the rectangle (y-up points, origin at the bottom left of the
// canvas) of the painter's canvas, a QImage or QPixmap, with its size in points set to its pixel
// size. A null image for any other canvas, an inactive painter or a rectangle outside it.
[[nodiscard]] QImage bitmapWithFocusedViewRect(const QPainter& canvas, const QRectF& rect);

} // namespace tz
