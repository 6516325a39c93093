// The application delegate: prepares printing, opens the device window on the first turn of
// the event loop, keeps it for the life of the program and opens help windows.
#pragma once

#include <QObject>

#include <memory>

class AppWindow;

class AppController final : public QObject
{
    Q_OBJECT
public:
    AppController();
    ~AppController() override;

    // --- accessors
    [[nodiscard]] const std::shared_ptr<AppWindow>& appWindow() const { return _appWindow; }
    void setAppWindow(const std::shared_ptr<AppWindow>& appWindow);

    // --- appDelegateMethods
    // Printouts are not centred vertically; hands the device-support profile to the drive
    // service; defers applicationDidStartEventLoop to the first turn of the event loop.
    void applicationDidFinishLaunching();
    // Creates and shows the device window (AppWindow::appWindow) and keeps it.
    void applicationDidStartEventLoop();
    // The program quits when its last window closes.
    [[nodiscard]] static bool applicationShouldTerminateAfterLastWindowClosed() { return true; }

public Q_SLOTS:
    void showHelpWindow();

private:
    std::shared_ptr<AppWindow> _appWindow;
};
