// Colour equality by value in sRGB, whatever space each colour was given in.
#pragma once

#include <QBrush>
#include <QColor>

namespace tz {

// True if both colours convert to sRGB and agree in every component and alpha. An invalid
// colour converts to nothing and is never equal, not even to itself.
[[nodiscard]] bool isEqualToColor(const QColor& color, const QColor& other);
// Brushes compare as their colours when both are solid; a pattern, gradient or texture
// brush has no single colour and is never equal.
[[nodiscard]] bool isEqualToColor(const QBrush& brush, const QBrush& other);

} // namespace tz
