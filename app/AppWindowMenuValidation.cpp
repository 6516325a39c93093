// AppWindow(menuValidation): every main-menu item carries its action selector, and each menu
// enables its items through TzValidateMenuItem with the window as the target just before it
// shows; the menuValidationFor... methods decide the commands that depend on the window's state.
#include "app/AppWindow.h"

#include "Foundation_Additions/NSObject/TzValidateMenuItem.h"
#include "ui_AppWindow.h"

#include <QMenu>
#include <QTextEdit>

TZ_REGISTER_CLASS(AppWindow);

void AppWindow::setUpMenuValidation()
{
    const std::pair<QAction*, const char*> selectors[] = {
        {_ui->actionSaveConnectedsAsText, "doSaveTableAsText:"},
        {_ui->actionSaveSupportedsAsText, "doSaveTableAsText:"},
        {_ui->actionSaveDetailAsText, "doSaveDetailAsText:"},
        {_ui->actionPrintConnecteds, "printDocument:"},
        {_ui->actionPrintSupporteds, "printDocument:"},
        {_ui->actionPrintDocument, "printDocument:"},
        {_ui->actionPrintDetailView, "doPrintDetailView:"},
        {_ui->actionClose, "performClose:"},
        {_ui->actionQuit, "terminate:"},
        {_ui->actionCopy, "copy:"},
        {_ui->actionFind, "performFindPanelAction:"},
        {_ui->actionEject, "doEject:"},
        {_ui->actionShowHelpWindow, "showHelpWindow:"},
        {_ui->actionAbout, "orderFrontStandardAboutPanel:"},
    };
    for (const auto& [item, selector] : selectors)
        tz::setActionSelector(item, tz::registerSelector(QString::fromLatin1(selector)));
    for (QMenu* menu : {_ui->fileMenu, _ui->editMenu, _ui->driveMenu, _ui->helpMenu}) {
        connect(menu, &QMenu::aboutToShow, this, [this, menu] {
            for (QAction* item : menu->actions()) {
                if (!item->isSeparator())
                    item->setEnabled(validateMenuItem(item));
            }
        });
    }
}

bool AppWindow::validateMenuItem(const QAction* item) const
{
    // Validation reads the item and the window; neither changes.
    return tz::TzValidateMenuItem(const_cast<QAction*>(item), const_cast<AppWindow*>(this));
}

bool AppWindow::menuValidationForDoSaveDetailAsText(QAction*) const
{
    return _ui && !_ui->detailText->document()->isEmpty();
}

bool AppWindow::menuValidationForDoPrintDetailView(QAction*) const
{
    return _ui && !_ui->detailText->document()->isEmpty();
}

bool AppWindow::menuValidationForDoEject(QAction*) const
{
    return bool(detailedDevice());
}
