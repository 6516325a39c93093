// AppWindow(tableDelegateMethods): selection and clicks in the tables, and the details pane
// that follows them.
#include "app/AppWindow.h"

#include "Foundation_Additions/NSAttributedString/AttributedStringTextDocument.h"
#include "app/DetailsText.h"
#include "app/DeviceTableModel.h"
#include "ui_AppWindow.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QMenu>
#include <QTextEdit>

int AppWindow::selectedRow(const QTableView* table)
{
    const QItemSelectionModel* selection = table ? table->selectionModel() : nullptr;
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : DeviceTableModel::modelRow(table, rows.first().row());
}

void AppWindow::selectRow(QTableView* table, int row)
{
    const int shown = DeviceTableModel::viewRow(table, row);
    if (shown == -1)
        table->clearSelection();
    else
        table->selectRow(shown);
}

void AppWindow::tableViewSelectionDidChange(QTableView* table)
{
    updateDetailsForTableRow(table, selectedRow(table));
}

void AppWindow::doClick(QTableView* table, int clickedRow)
{
    updateDetailsForTableRow(table, clickedRow);
}

void AppWindow::tableViewportPressed(QTableView* table, const QMouseEvent& press)
{
    // A click that hits no row deselects, which the view does not do by itself in single selection.
    if (press.button() != Qt::LeftButton || table->indexAt(press.position().toPoint()).isValid())
        return;
    table->clearSelection();
    doClick(table, -1);
}

void AppWindow::updateDetailsForTableRow(QTableView* table, int row)
{
    if (table == _viewLastDetailed && row == _rowLastDetailed)
        return;
    if (QTextEdit* text = detailText()) {
        const tz::DictionaryPtr dict = row == -1 ? nullptr : tableViewDictForRow(table, row);
        // A row the table no longer has shows nothing rather than an empty heading.
        if (dict)
            tz::replaceDocumentContents(*text->document(), DetailsText::forRow(dict));
        else
            text->clear();
    }
    setViewLastDetailed(table);
    setRowLastDetailed(row);
    updateEjectButton();
}

void AppWindow::updateDetailsForSelectedDeviceIfAppropriate()
{
    QTableView* connected = connectedTable();
    if (!connected || _viewLastDetailed != connected)
        return;
    const int row = selectedRow(connected);
    if (row == -1)
        return;
    setRowLastDetailed(-1);
    updateDetailsForTableRow(connected, row);
}

void AppWindow::tableContextMenuRequested(QTableView* table, const QPoint& position)
{
    const QModelIndex index = table->indexAt(position);
    if (!index.isValid())
        return;
    // The menu acts on the row under the pointer: it becomes the selected and detailed row.
    const int row = DeviceTableModel::modelRow(table, index.row());
    table->selectRow(index.row());
    doClick(table, row);
    for (QAction* item : _rowContextMenu->actions())
        item->setEnabled(item == _ui->actionEject ? bool(detailedDevice()) : validateMenuItem(item));
    _rowContextMenu->popup(table->viewport()->mapToGlobal(position));
}
