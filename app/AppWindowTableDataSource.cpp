// AppWindow(tableDataSourceMethods): what the two tables show, row by row.
#include "app/AppWindow.h"

#include "Foundation/String.h"
#include "ui_AppWindow.h"

tz::DictionaryPtr AppWindow::tableViewDictForRow(const QTableView* table, int row) const
{
    if (!table || !_ui)
        return {};
    const ArrayPtr& rows = table == _ui->supportedTable ? _supporteds
        : table == _ui->connectedTable                  ? _connecteds
                                                        : nullptr;
    return rows ? tz::cast<tz::Dictionary>(rows->objectAtIndex(row)) : nullptr;
}

int AppWindow::numberOfRowsInTableView(const QTableView* table) const
{
    if (!table || !_ui)
        return 0;
    if (table == _ui->supportedTable)
        return _supporteds ? int(_supporteds->count()) : 0;
    if (table == _ui->connectedTable)
        return _connecteds ? int(_connecteds->count()) : 0;
    return 0;
}

tz::Id AppWindow::tableViewObjectValueForTableColumnRow(const QTableView* table, const QString& columnIdentifier,
                                                        int row) const
{
    return tableViewObjectValueForTableColumnRow(table, tz::str(columnIdentifier), row);
}

tz::Id AppWindow::tableViewObjectValueForTableColumnRow(const QTableView* table, const tz::Id& columnKey, int row) const
{
    const tz::DictionaryPtr dict = tableViewDictForRow(table, row);
    return dict ? dict->objectForKey(columnKey) : tz::Id();
}
