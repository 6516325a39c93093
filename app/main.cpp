#include "app/AppController.h"
#include "app/AppInfo.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/DiscRecording/DriveService.h"
#include "Foundation_Additions/NSBundle/Bundle.h"

#include <QCoreApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

namespace {

void setNames()
{
    QCoreApplication::setOrganizationName(AppInfo::executableName());
    QCoreApplication::setApplicationName(AppInfo::executableName());
    QCoreApplication::setApplicationVersion(AppInfo::version());
}

QtMessageHandler previousHandler = nullptr;

void passOn(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

struct HeldMessage
{
    QtMsgType type;
    QString category;
    QString message;
};
QList<HeldMessage> heldMessages;

// While the GUI application is being made, messages are held back: a platform that cannot be
// opened is Qt's fatal error (an abort) after a few lines of warnings; here it is one line, with
// the first warning's reason, and the exit status for a missing display.
void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, QString::fromUtf8(context.category), message});
        return;
    }
    const QString reason = heldMessages.isEmpty() ? message : heldMessages.first().message;
    CommandLine::printError(QStringLiteral("cannot open the window: ") + reason.section(u'\n', 0, 0));
    std::fflush(stderr);
    std::_Exit(CommandLine::badArguments);
}

// The window could be made: the held messages are written as they would have been.
void releaseHeldMessages()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : std::as_const(heldMessages)) {
        const QByteArray category = held.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        passOn(held.type, context, held.message);
    }
    heldMessages.clear();
}

} // namespace

int main(int argc, char* argv[])
{
    tz::bundle::setMainBundlePath(AppInfo::dataDirectory());
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    // Lists, details, eject, help and version need no display: no GUI application is made.
    const CommandLine::Request request = CommandLine::parseArguments(arguments);
    if (request.action != CommandLine::Request::Action::Window) {
        const QCoreApplication app(argc, argv);
        setNames();
        DriveService service;
        service.install();
        return CommandLine::run(request, service);
    }

    if (const QString problem = CommandLine::displayProblem(); !problem.isEmpty()) {
        CommandLine::printError(problem);
        return CommandLine::badArguments;
    }
    previousHandler = qInstallMessageHandler(startupMessageHandler);
    // Takes its own options (-style, -platform, ...) out of argv.
    Application app(argc, argv);
    releaseHeldMessages();
    setNames();
    QApplication::setApplicationDisplayName(AppInfo::displayName());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/burner-catalogue.svg")));
    // The one drive service: the window and its tables get it from the controller.
    DriveService service;
    service.install();
    if (!CommandLine::applyDataOptions(request, service))
        return CommandLine::badArguments;

    AppController controller(service);
    QApplication::setQuitOnLastWindowClosed(AppController::applicationShouldTerminateAfterLastWindowClosed());
    controller.applicationDidFinishLaunching();
    return QApplication::exec();
}
