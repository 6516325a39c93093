// Any widget rendered into TIFF image data, at its own size.
#pragma once

#include <QByteArray>

class QWidget;

namespace tz {

// The widget drawn off-screen at (0, 0) into an image of its size (its size hint while it has
// never been shown), as TIFF bytes; null when the widget has no area.
[[nodiscard]] QByteArray TIFFData(QWidget& widget);

} // namespace tz
