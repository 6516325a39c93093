// AppWindow(notificationHandlerMethods): drives coming, going and changing state.
#include "app/AppWindow.h"

#include "ui_AppWindow.h"

void AppWindow::handleDeviceListChangedNotice([[maybe_unused]] const DRNotification& notification)
{
    QTableView* connected = connectedTable();
    // What the user picked, by identity: rows move when another drive comes or goes.
    const DRDevicePtr selected = deviceAtRow(selectedRow(connected));
    const bool paneOnConnected = connected && _viewLastDetailed == connected;
    const DRDevicePtr shown = paneOnConnected ? deviceAtRow(_rowLastDetailed) : nullptr;

    buildConnectedsTable();
    if (!_ui)
        return;
    reloadData(connected);

    // The remembered row named a place in the old rows; it now names the shown drive's new row,
    // or nothing when that drive has left (the pane keeps its text, but nothing acts on it).
    if (paneOnConnected) {
        const int shownRow = rowOfDevice(shown);
        setViewLastDetailed(shownRow == -1 && _rowLastDetailed != -1 ? nullptr : connected);
        setRowLastDetailed(shownRow);
    }
    // The selection stays on its drive while it is attached, and never lands on another one.
    _restoringSelection = true;
    selectRow(connected, rowOfDevice(selected));
    _restoringSelection = false;

    fitModelColumn(connected);
    updateEmptyState();
    updateEjectButton();
}

void AppWindow::handleDeviceStatusChangedNotice([[maybe_unused]] const DRNotification& notification)
{
    updateDetailsForSelectedDeviceIfAppropriate();
    updateEjectButton();
}
