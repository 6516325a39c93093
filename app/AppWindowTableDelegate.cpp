// AppWindow(tableDelegateMethods): selection and clicks in the tables, and the details pane
// that follows them.
#include "app/AppWindow.h"

void AppWindow::tableViewSelectionDidChange([[maybe_unused]] QTableView* table) {}

void AppWindow::doClick([[maybe_unused]] QTableView* table) {}

void AppWindow::updateDetailsForTableRow([[maybe_unused]] QTableView* table, [[maybe_unused]] int row) {}

void AppWindow::updateDetailsForSelectedDeviceIfAppropriate() {}
