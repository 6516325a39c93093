#include "app/AppController.h"
#include "app/AppInfo.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DiscRecording/DriveService.h"

#include <QCoreApplication>
#include <QIcon>

namespace {

void setNames()
{
    QCoreApplication::setOrganizationName(AppInfo::executableName());
    QCoreApplication::setApplicationName(AppInfo::executableName());
    QCoreApplication::setApplicationVersion(AppInfo::version());
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // Lists, details, eject, help and version need no display: no GUI application is made.
    if (CommandLine::wantsCommandLine(arguments)) {
        const QCoreApplication app(argc, argv);
        setNames();
        DriveService service;
        service.install();
        return CommandLine::run(arguments, service);
    }

    Application app(argc, argv);
    setNames();
    QApplication::setApplicationDisplayName(AppInfo::displayName());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/burner-catalogue.svg")));
    // The one drive service: the window and its tables get it from the controller.
    DriveService service;
    service.install();
    if (!CommandLine::applyDataOptions(arguments, service))
        return CommandLine::badArguments;

    AppController controller(service);
    QApplication::setQuitOnLastWindowClosed(AppController::applicationShouldTerminateAfterLastWindowClosed());
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
