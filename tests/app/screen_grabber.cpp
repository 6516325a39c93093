// Helper for the end-to-end test: saves a picture of the whole screen of $DISPLAY.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

int main(int argc, char* argv[])
{
    const QGuiApplication app(argc, argv);
    if (argc != 2 || !QGuiApplication::primaryScreen())
        return 2;
    return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
