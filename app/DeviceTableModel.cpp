#include "app/DeviceTableModel.h"

#include "app/AppWindow.h"

#include <QTableView>

DeviceTableModel::DeviceTableModel(const AppWindow* dataSource, QTableView* table)
    : QAbstractTableModel(table), _dataSource(dataSource), _table(table),
      _identifiers(table->property("columnIdentifiers").toStringList()),
      _titles(table->property("columnTitles").toStringList())
{
}

void DeviceTableModel::reloadData()
{
    beginResetModel();
    endResetModel();
}

int DeviceTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : _dataSource->numberOfRowsInTableView(_table);
}

int DeviceTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(_identifiers.size());
}

QVariant DeviceTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const tz::Id value = _dataSource->tableViewObjectValueForTableColumnRow(_table, columnIdentifier(index.column()),
                                                                           index.row());
    if (!value)
        return {};
    return value->description();
}

QVariant DeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return _titles.value(section, columnIdentifier(section));
}
