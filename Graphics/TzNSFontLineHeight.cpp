#include "Graphics/TzNSFontLineHeight.h"

#include <QFontMetricsF>

namespace tz {

qreal lineHeight(const QFont& font)
{
    return QFontMetricsF(font).size(0, QString()).height() + 2.0;
}

} // namespace tz
