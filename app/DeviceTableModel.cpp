#include "app/DeviceTableModel.h"

#include "Foundation/String.h"
#include "app/AppWindow.h"

#include <QTableView>

DeviceTableModel::DeviceTableModel(const AppWindow* dataSource, QTableView* table, QList<DeviceColumn> columns)
    : QAbstractTableModel(table), _dataSource(dataSource), _table(table), _columns(std::move(columns))
{
    for (const DeviceColumn& column : std::as_const(_columns))
        _keys.append(tz::str(column.identifier));
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
    return parent.isValid() ? 0 : int(_columns.size());
}

QVariant DeviceTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    if (index.column() < 0 || index.column() >= _keys.size())
        return {};
    const tz::Id value = _dataSource->tableViewObjectValueForTableColumnRow(_table, _keys.at(index.column()), index.row());
    if (!value)
        return {};
    return DeviceColumns::cellText(value);
}

QVariant DeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section >= 0 && section < _columns.size() ? _columns[section].title : QString();
}
