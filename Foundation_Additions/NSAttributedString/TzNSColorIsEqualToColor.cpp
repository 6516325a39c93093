#include "Foundation_Additions/NSAttributedString/TzNSColorIsEqualToColor.h"

namespace tz {

bool isEqualToColor(const QColor& color, const QColor& other)
{
    if (!color.isValid() || !other.isValid())
        return false;
    // Extended components may lie outside [0, 1]; clamping them into 16-bit sRGB would make
    // different colours equal, so such colours compare as floats.
    if (color.spec() == QColor::ExtendedRgb || other.spec() == QColor::ExtendedRgb) {
        const QColor a = color.toExtendedRgb();
        const QColor b = other.toExtendedRgb();
        return a.redF() == b.redF() && a.greenF() == b.greenF() && a.blueF() == b.blueF() && a.alphaF() == b.alphaF();
    }
    return color.toRgb().rgba64() == other.toRgb().rgba64();
}

bool isEqualToColor(const QBrush& brush, const QBrush& other)
{
    return brush.style() == Qt::SolidPattern && other.style() == Qt::SolidPattern
        && isEqualToColor(brush.color(), other.color());
}

} // namespace tz
