// AppWindow(privateMethods): saving the tables and the details as text, and printing.
#include "app/AppWindow.h"

void AppWindow::doSaveTableAsText([[maybe_unused]] const QObject* sender) {}

void AppWindow::doSaveDetailAsText([[maybe_unused]] const QObject* sender) {}

void AppWindow::printDocument([[maybe_unused]] const QObject* sender) {}

void AppWindow::doPrintDetailView([[maybe_unused]] const QObject* sender) {}

void AppWindow::updateColumnMinWidthsForTable([[maybe_unused]] QTableView* table) {}
