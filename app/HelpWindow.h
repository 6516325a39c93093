// The help window: a page about the program, its data, the eject button, the options and exports.
// Escape or Ctrl+W closes it.
#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

namespace Ui {
class HelpWindow;
}

class HelpWindow final : public QWidget
{
    Q_OBJECT
public:
    // Opens a new help window on every call (two requests, two windows) and returns it. The
    // window frees itself when closed.
    static HelpWindow* showHelpWindow();
    // The help window opened last, or nullptr once it is closed.
    [[nodiscard]] static HelpWindow* instance();

    ~HelpWindow() override;

private:
    HelpWindow();

    std::unique_ptr<Ui::HelpWindow> _ui;
};
