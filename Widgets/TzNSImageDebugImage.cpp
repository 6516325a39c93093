#include "Widgets/TzNSImageDebugImage.h"

#include "Graphics/TzNSImageAdditions.h"

#include <QPainter>

namespace tz {

namespace {

class ImageWindow final : public QWidget
{
public:
    explicit ImageWindow(const QImage& image)
        : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
          _image(image)
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setFixedSize(frame(image).size().toSize());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::blue);
        painter.drawImage(frame(_image), _image);
    }

private:
    const QImage _image;
};

} // namespace

QWidget* show(const QImage& image, const QString& title)
{
    auto* const window = new ImageWindow(image);
    window->setWindowTitle(title.isNull() ? QStringLiteral("(untitled)") : title);
    window->show();
    window->raise();
    window->repaint();
    return window;
}

} // namespace tz
