#include "app/AppController.h"

#include "app/AppWindow.h"
#include "app/HelpWindow.h"
#include "app/PrintInfo.h"

#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"
#include "Foundation_Additions/NSUserDefaults/TzNSUserDefaultsAdditions.h"
#include "Functions/TzVerboseLogging.h"

#include <QTimer>

TZ_REGISTER_CLASS(AppController);

// The application's delegate: menu items it validates are enabled when it or the application
// object answers their action.
AppController::AppController(DriveService& service) : _service(service), _printInfo(std::make_shared<PrintInfo>())
{
    tz::setApplicationDelegate(this);
}

AppController::~AppController() = default;

void AppController::setAppWindow(const std::shared_ptr<AppWindow>& appWindow)
{
    if (_appWindow == appWindow)
        return;
    if (_appWindow)
        disconnect(_appWindow.get(), nullptr, this, nullptr);
    _appWindow = appWindow;
    if (_appWindow)
        connect(_appWindow.get(), &AppWindow::showHelpWindowRequested, this, &AppController::showHelpWindow);
}

void AppController::applicationDidFinishLaunching()
{
    _printInfo->setVerticallyCentered(false);
    // The user's verbose-logging choice is kept in the user defaults.
    if (const tz::Id verbose = tz::defaults::objectForKey(tz::pelkLogMessagesKey);
        verbose && verbose->boolValue().value_or(false))
        tz::TzDebugOn();
    QTimer::singleShot(0, this, &AppController::applicationDidStartEventLoop);
}

void AppController::applicationDidStartEventLoop()
{
    setAppWindow(AppWindow::appWindow(_service, _printInfo));
}

void AppController::showHelpWindow()
{
    HelpWindow::showHelpWindow();
}
