#include "app/DeviceTableModel.h"

#include "Foundation/String.h"
#include "app/AppWindow.h"

#include <QSortFilterProxyModel>
#include <QTableView>

DeviceTableModel::DeviceTableModel(const AppWindow* dataSource, QTableView* table, QList<DeviceColumn> columns)
    : QAbstractTableModel(table),
      _dataSource(dataSource),
      _table(table),
      _columns(std::move(columns))
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
    const tz::Id value =
        _dataSource->tableViewObjectValueForTableColumnRow(_table, _keys.at(index.column()), index.row());
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

DeviceTableModel* DeviceTableModel::of(const QTableView* table)
{
    QAbstractItemModel* model = table ? table->model() : nullptr;
    if (const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(model))
        model = proxy->sourceModel();
    return qobject_cast<DeviceTableModel*>(model);
}

int DeviceTableModel::modelRow(const QTableView* table, int viewRow)
{
    const QAbstractItemModel* model = table ? table->model() : nullptr;
    if (!model || viewRow < 0)
        return -1;
    const QModelIndex index = model->index(viewRow, 0);
    if (const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(model))
        return proxy->mapToSource(index).row();
    return index.row();
}

int DeviceTableModel::viewRow(const QTableView* table, int modelRow)
{
    const QAbstractItemModel* model = table ? table->model() : nullptr;
    if (!model || modelRow < 0)
        return -1;
    if (const auto* proxy = qobject_cast<const QSortFilterProxyModel*>(model))
        return proxy->mapFromSource(proxy->sourceModel()->index(modelRow, 0)).row();
    return model->index(modelRow, 0).row();
}
