#include "app/AppController.h"

#include "app/AppWindow.h"
#include "app/HelpWindow.h"
#include "app/PrintInfo.h"

#include <QTimer>

AppController::AppController(DriveService& service) : _service(service), _printInfo(std::make_shared<PrintInfo>()) {}

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
