// AppWindow(notificationHandlerMethods): drives coming, going and changing state.
#include "app/AppWindow.h"

#include "ui_AppWindow.h"

void AppWindow::handleDeviceListChangedNotice([[maybe_unused]] const DRNotification& notification)
{
    buildConnectedsTable();
    if (_ui)
        reloadData(_ui->connectedTable);
}

void AppWindow::handleDeviceStatusChangedNotice([[maybe_unused]] const DRNotification& notification)
{
    updateDetailsForSelectedDeviceIfAppropriate();
}
