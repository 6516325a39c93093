#include "app/AppController.h"

#include "app/AppWindow.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRService.h"
#include "app/HelpWindow.h"
#include "app/PrintInfo.h"

#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"
#include "Foundation_Additions/NSUserDefaults/TzNSUserDefaultsAdditions.h"
#include "Functions/TzVerboseLogging.h"

#include <QTimer>

TZ_REGISTER_CLASS(AppController);

AppController::AppController()
{
    // The application's delegate: menu items it validates are enabled when it or the
    // application object answers their action.
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
    PrintInfo::sharedPrintInfo().setVerticallyCentered(false);
    // The user's verbose-logging choice is kept in the user defaults.
    if (const tz::Id verbose = tz::defaults::objectForKey(tz::pelkLogMessagesKey);
        verbose && verbose->boolValue().value_or(false))
        tz::TzDebugOn();
    // The drive service judges each drive's support level against the same profile the
    // supported table shows; it needs it before the first drive is read.
    DRService::setSupportProfile(DeviceSupportProfile::readProfile(DeviceSupportProfile::chosenPath()));
    QTimer::singleShot(0, this, &AppController::applicationDidStartEventLoop);
}

void AppController::applicationDidStartEventLoop()
{
    setAppWindow(AppWindow::appWindow());
}

void AppController::showHelpWindow()
{
    HelpWindow::showHelpWindow();
}
