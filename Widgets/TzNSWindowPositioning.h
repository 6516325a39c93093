// Puts a window against an edge or corner of the primary screen, 4 points inside its available
// area (TzNSScreenEdges.h). The window's frame, decorations included, is placed; its size stays;
// nothing is clamped, so a window wider than the screen reaches past its left edge.
#pragma once

#include <QWidget>

namespace tz {

// The frame's top-left point at (_screenLeft, _screenTop).
void topLeft(QWidget& window);
// Centred horizontally, the frame's top at _screenTop.
void topCenter(QWidget& window);
// The frame's top-left point at (_screenRight - frame width, _screenTop).
void topRight(QWidget& window);
// The frame's bottom-left point at (_screenLeft, _screenBottom).
void bottomLeft(QWidget& window);
// Centred horizontally, the frame's bottom at _screenBottom.
void bottomCenter(QWidget& window);
// The frame's bottom-left point at (_screenRight - frame width, _screenBottom).
void bottomRight(QWidget& window);

} // namespace tz
