#include "app/AppController.h"
#include "app/AppInfo.h"
#include "app/Application.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRService.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

// Exits with a message when a file named on the command line cannot be read.
void requireReadableFile(const QString& path, const QString& what)
{
    if (QFileInfo(path).isReadable() && QFileInfo(path).isFile())
        return;
    std::fprintf(stderr, "%s: cannot read the %s \"%s\"\n", qPrintable(AppInfo::executableName()), qPrintable(what),
                 qPrintable(path));
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    QApplication::setOrganizationName(AppInfo::executableName());
    QApplication::setApplicationName(AppInfo::executableName());
    QApplication::setApplicationDisplayName(AppInfo::displayName());
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/burner-catalogue.svg")));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the optical disc recorders attached to this computer and the drive models a "
                       "device-support profile lists."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption profile(QStringLiteral("profile"),
                                     QStringLiteral("Read the supported drives from this device-support profile."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Show the simulated drives described in FILE instead of the "
                                                     "real hardware."),
                                      QStringLiteral("FILE"));
    parser.addOption(profile);
    parser.addOption(simulate);
    parser.process(app);

    if (parser.isSet(simulate)) {
        requireReadableFile(parser.value(simulate), QStringLiteral("drive simulation"));
        DRService::useSimulatedDrives(parser.value(simulate));
    }
    if (parser.isSet(profile)) {
        requireReadableFile(parser.value(profile), QStringLiteral("profile"));
        DeviceSupportProfile::setOverridePath(parser.value(profile));
    }

    AppController controller;
    QApplication::setQuitOnLastWindowClosed(AppController::applicationShouldTerminateAfterLastWindowClosed());
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
