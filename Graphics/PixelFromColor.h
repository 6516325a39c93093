// The four bytes (red, green, blue, alpha) of a colour, as an RGBA8888 bitmap stores them.
#pragma once

#include <QColor>

namespace tz {

// Writes the colour, converted to RGB, into pixel[0..3] in the order red, green, blue, alpha:
// each component times 255.0, truncated (0.5 gives 127, 1.0 gives 255). Components outside 0..1
// are clamped first. An invalid colour gives four zero bytes. pixel must have room for 4 bytes.
void PixelFromColor(uchar* pixel, const QColor& color);

} // namespace tz
