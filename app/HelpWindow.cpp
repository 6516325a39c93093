#include "app/HelpWindow.h"

#include "ui_HelpWindow.h"

#include <QShortcut>

namespace {
QPointer<HelpWindow> lastOpened;
} // namespace

HelpWindow::HelpWindow() : _ui(std::make_unique<Ui::HelpWindow>())
{
    _ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape and Ctrl+W close it, as they close other reading windows.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
}

HelpWindow::~HelpWindow() = default;

HelpWindow* HelpWindow::showHelpWindow()
{
    // Top-level and without a parent, so it keeps the program running while it is open.
    auto* window = new HelpWindow;
    lastOpened = window;
    window->show();
    return window;
}

HelpWindow* HelpWindow::instance()
{
    return lastOpened;
}
