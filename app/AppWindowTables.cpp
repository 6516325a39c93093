// AppWindow: building the two device tables and the count label.
#include "app/AppWindow.h"

#include "Foundation/Format.h"
#include "app/DeviceRows.h"
#include "app/DeviceSupportProfile.h"
#include "ui_AppWindow.h"

void AppWindow::buildConnectedsTable()
{
    // The rows are collected first and stored once: a whole new array, never a changed one.
    setConnecteds(tz::Array::make(DeviceRows::connectedRows()));
}

void AppWindow::buildSupportedTable()
{
    const tz::Id root = DeviceSupportProfile::readProfile(DeviceSupportProfile::chosenPath(), &_profileProblem);
    setSupporteds(tz::Array::make(DeviceRows::supportedRowsFromProfile(root)));
}

void AppWindow::buildTables()
{
    buildSupportedTable();
    if (!_ui)
        return;
    reloadData(_ui->supportedTable);
    _ui->count->setText(tz::format("%d Supported Drives in This Version of OS-X", _supporteds->count()));
}
