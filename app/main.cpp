#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("burner-catalogue"));
    QApplication::setApplicationDisplayName(QStringLiteral("Burner Catalogue"));
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
