#include "Widgets/TzNSWindowPositioning.h"

#include "Graphics/TzNSScreenEdges.h"

#include <QGuiApplication>

#include <cmath>

namespace tz {

namespace {

// Moves the window's frame so that its top-left point is the y-up point.
void setFrameTopLeftPoint(QWidget& window, const QPointF& yUp)
{
    const QPointF global = globalPoint(yUp);
    window.move(int(std::lround(global.x())), int(std::lround(global.y())));
}

void setFrameOrigin(QWidget& window, const QPointF& yUp)
{
    setFrameTopLeftPoint(window, {yUp.x(), yUp.y() + window.frameGeometry().height()});
}

// The x that centring the frame on the screen's visible frame gives.
qreal centredX(const QWidget& window, const QScreen& screen)
{
    const QRectF visible = visibleFrame(screen);
    return visible.x() + (visible.width() - window.frameGeometry().width()) / 2;
}

} // namespace

void topLeft(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameTopLeftPoint(window, {_screenLeft(*screen), _screenTop(*screen)});
}

void topCenter(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameTopLeftPoint(window, {centredX(window, *screen), _screenTop(*screen)});
}

void topRight(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameTopLeftPoint(window, {_screenRight(*screen) - window.frameGeometry().width(), _screenTop(*screen)});
}

void bottomLeft(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameOrigin(window, {_screenLeft(*screen), _screenBottom(*screen)});
}

void bottomCenter(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameOrigin(window, {centredX(window, *screen), _screenBottom(*screen)});
}

void bottomRight(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setFrameOrigin(window, {_screenRight(*screen) - window.frameGeometry().width(), _screenBottom(*screen)});
}

} // namespace tz
