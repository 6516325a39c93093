// Conversions, masks and effects for icon-sized images. Images are QImages; an image's size in
// points is its pixel size divided by its device pixel ratio, and the images these operations
// make are RGBA8888 bitmaps with one pixel a point. Rectangles and points are y-up (origin at the
// bottom left of the image). A null image stands for none: every operation given one answers
// with a null image or an invalid colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace tz {

// (0, 0) and the image's size in points; an empty rectangle for a null image.
[[nodiscard]] QRectF imageRect(const QImage& image);
[[nodiscard]] QRectF frame(const QImage& image);

// The image's bitmap: the image itself (sharing its data), null for a null image.
[[nodiscard]] QImage bitMapRep(const QImage& image);

// A new transparent RGBA8888 image of the size; null for an empty size.
[[nodiscard]] QImage imageWithSize(const QSize& size);

// An image holding the representation: the representation itself, sharing its data.
[[nodiscard]] QImage imageWithRepresentation(const QImage& representation);

// An image of bitmapWithFocusedViewRect of the painter's canvas.
[[nodiscard]] QImage imageWithFocusedViewRect(const QPainter& canvas, const QRectF& rect);

// The image drawn at its size in points and converted with RGBA8888Representation: an image with
// a device pixel ratio of 2 gives a bitmap of half its pixel size.
[[nodiscard]] QImage RGBA8888Image(const QImage& image);
[[nodiscard]] QImage RGBA8888ImageWithImage(const QImage& image);

// A copy whose size in points is its pixel size (device pixel ratio 1).
[[nodiscard]] QImage unscaledImage(const QImage& image);
// RGBA8888Image of unscaledImage: every pixel kept.
[[nodiscard]] QImage normalizedImage(const QImage& image);
// unscaledImage drawn into a new image: the same pixels as normalizedImage.
[[nodiscard]] QImage bitmapImage(const QImage& image);

// Placeholders: always null.
[[nodiscard]] QImage featheredAlphaMask(const QImage& image);
[[nodiscard]] QImage featheredBlackBorderMask(const QImage& image);
[[nodiscard]] QImage featheredImage(const QImage& image);
[[nodiscard]] QImage featheredDarkBorderImage(const QImage& image);

// The image's silhouette: the colour wherever the image has coverage, its alpha multiplied by
// the image's alpha.
[[nodiscard]] QImage maskWithColor(const QImage& image, const QColor& color);

// A black silhouette whose outer n points fade out: the black mask drawn n + 1 times source-over,
// into the frame shrunk by i points at opacity 1 / (n + 1 - i), so the outermost ring has
// 1 / (n + 1) of black and the inside is opaque. 0 gives the plain black mask.
[[nodiscard]] QImage blackMaskWithFeatherEdge(const QImage& image, uint n);

// A rim of black at alpha 0.5 (the half-black mask over a copy of itself enlarged by 1 point on
// each side) that thins out over n points towards the inside, with the inside cut away. 0 gives
// the 1-point rim alone (the inside cut away at once).
[[nodiscard]] QImage darkBorderMask(const QImage& image, uint n);

// The image's colours with the alpha of blackMaskWithFeatherEdge n.
[[nodiscard]] QImage imageWithEdgesAlphaFeathered(const QImage& image, uint n);
// The image with the rim of darkBorderMask n over it, only where the image has coverage.
[[nodiscard]] QImage imageWithEdgesDarkened(const QImage& image, uint n);

// RGBA8888Image of the image with every pixel whose stored (premultiplied) red, green and blue
// lie within those of low and high (inclusive; PixelFromColor bytes, the two swapped when low
// is not at or below high in all three) set to the bytes of setColor. When setColor's alpha is
// 0.05 or less, pixels whose alpha byte is below 6 are set too, whatever their colour. One pass
// over the converted bitmap, in place.
[[nodiscard]] QImage imageWithColorToColorSetToColor(const QImage& image, const QColor& low, const QColor& high,
                                                     const QColor& setColor);
// unscaledImage with the colours from black up to the colour made transparent.
[[nodiscard]] QImage imageBlackMaskedUpTo(const QImage& image, const QColor& color);
// unscaledImage with the colours from the colour up to white made transparent.
[[nodiscard]] QImage imageWhiteMaskedDownTo(const QImage& image, const QColor& color);

// The image drawn at 128 × 128 with the badge in the lower-left quarter over it, scaled back to
// the image's size in points. A null badge gives the image itself (sharing its data).
[[nodiscard]] QImage imageWithBadge(const QImage& image, const QImage& badge);

// The colour seen at least twice among the four points (1, h - 1), (1, 1), (w - 1, h - 1) and
// (w - 1, 1) of an image of w × h points, the first so seen in that order; the points are read
// in that order and the first one outside the image ends the list. Invalid when no colour is
// seen twice.
[[nodiscard]] QColor probableBackgroundColor(const QImage& image);

} // namespace tz
