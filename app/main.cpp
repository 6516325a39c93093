#include "app/AppInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::executableName());
    QApplication::setApplicationDisplayName(AppInfo::displayName());
    QApplication::setApplicationVersion(AppInfo::version());
    QMainWindow window;
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
