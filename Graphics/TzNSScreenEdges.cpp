#include "Graphics/TzNSScreenEdges.h"

#include <QGuiApplication>

namespace tz {

namespace {

// The global coordinates of the y-up origin.
QPointF yUpOrigin()
{
    const QScreen* const primary = QGuiApplication::primaryScreen();
    if (!primary)
        return {};
    const QRect geometry = primary->geometry();
    return QPointF(geometry.x(), geometry.y() + geometry.height());
}

} // namespace

QPointF yUpPoint(const QPointF& global)
{
    const QPointF origin = yUpOrigin();
    return {global.x() - origin.x(), origin.y() - global.y()};
}

QPointF globalPoint(const QPointF& yUp)
{
    const QPointF origin = yUpOrigin();
    return {yUp.x() + origin.x(), origin.y() - yUp.y()};
}

QRectF visibleFrame(const QScreen& screen)
{
    const QRect available = screen.availableGeometry();
    const QPointF bottomLeft = yUpPoint(QPointF(available.x(), available.y() + available.height()));
    return {bottomLeft, QSizeF(available.size())};
}

float _screenTop(const QScreen& screen)
{
    const QRectF frame = visibleFrame(screen);
    return float(frame.y() + frame.height()) - screenMargin;
}

float _screenLeft(const QScreen& screen)
{
    return float(visibleFrame(screen).x()) + screenMargin;
}

float _screenBottom(const QScreen& screen)
{
    return float(visibleFrame(screen).y()) + screenMargin;
}

float _screenRight(const QScreen& screen)
{
    const QRectF frame = visibleFrame(screen);
    return float(frame.x() + frame.width()) - screenMargin;
}

} // namespace tz
