// The usable edges of a screen, 4 points inside its available area, in the y-up points of the
// window system: origin at the bottom left of the primary screen, y growing upwards.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QScreen>

namespace tz {

inline constexpr float screenMargin = 4.0f;

// A point of Qt's global coordinates (y down, from the top left of the virtual desktop) in y-up
// points, and back. Without a primary screen the two differ only in the sign of y.
[[nodiscard]] QPointF yUpPoint(const QPointF& global);
[[nodiscard]] QPointF globalPoint(const QPointF& yUp);

// The screen's available geometry in y-up points.
[[nodiscard]] QRectF visibleFrame(const QScreen& screen);

// y + height - 4, x + 4, y + 4 and x + width - 4 of the visible frame.
[[nodiscard]] float _screenTop(const QScreen& screen);
[[nodiscard]] float _screenLeft(const QScreen& screen);
[[nodiscard]] float _screenBottom(const QScreen& screen);
[[nodiscard]] float _screenRight(const QScreen& screen);

} // namespace tz
