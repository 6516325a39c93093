// Renders the program's SVG icon to a square PNG at build time: render-icon IN.svg OUT.png SIZE.
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args.at(3).toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0) {
        std::fputs("usage: render-icon IN.svg OUT.png SIZE\n", stderr);
        return 2;
    }
    QImageReader reader(args.at(1));
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "render-icon: %s: %s\n", qPrintable(args.at(1)), qPrintable(reader.errorString()));
        return 1;
    }
    if (!image.save(args.at(2), "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
