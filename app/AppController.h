// The application delegate: prepares printing, opens the device window on the first turn of
// the event loop, keeps it for the life of the program and opens help windows. It hands the
// window the drive service and the print settings it was given and owns.
#pragma once

#include <QObject>

#include <memory>

class AppWindow;
class DriveService;
class PrintInfo;

class AppController final : public QObject
{
    Q_OBJECT
public:
    // The service outlives the controller.
    explicit AppController(DriveService& service);
    ~AppController() override;

    // --- accessors
    [[nodiscard]] const std::shared_ptr<AppWindow>& appWindow() const { return _appWindow; }
    void setAppWindow(const std::shared_ptr<AppWindow>& appWindow);

    // The print settings every printout of the program shares.
    [[nodiscard]] const std::shared_ptr<PrintInfo>& printInfo() const { return _printInfo; }

    // --- appDelegateMethods
    // Printouts are not centred vertically; defers applicationDidStartEventLoop to the first
    // turn of the event loop.
    void applicationDidFinishLaunching();
    // Creates and shows the device window (AppWindow::appWindow) and keeps it.
    void applicationDidStartEventLoop();
    // The program quits when its last window closes.
    [[nodiscard]] static bool applicationShouldTerminateAfterLastWindowClosed() { return true; }

public Q_SLOTS:
    void showHelpWindow();

private:
    DriveService& _service;
    std::shared_ptr<PrintInfo> _printInfo;
    std::shared_ptr<AppWindow> _appWindow;
};
