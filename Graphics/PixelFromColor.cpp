#include "Graphics/PixelFromColor.h"

#include <algorithm>

namespace tz {

namespace {

// Components are within 0..1 here, so the product fits a byte.
uchar truncatedByte(float component)
{
    return uchar(unsigned(std::max(0.0f, component * 255.0f)));
}

} // namespace

void PixelFromColor(uchar* pixel, const QColor& color)
{
    if (!color.isValid()) {
        std::fill_n(pixel, 4, uchar(0));
        return;
    }
    const QColor rgb = color.toRgb();
    pixel[0] = truncatedByte(rgb.redF());
    pixel[1] = truncatedByte(rgb.greenF());
    pixel[2] = truncatedByte(rgb.blueF());
    pixel[3] = truncatedByte(rgb.alphaF());
}

} // namespace tz
