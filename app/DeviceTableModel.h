// The model behind a device table. It holds no rows of its own: it asks the window's data
// source for the row count and each cell's value; its columns are the table's DeviceColumns.
// The view shows it through a sorting and filtering proxy; rows of this model are "model rows".
#pragma once

#include "app/DeviceColumns.h"

#include <QAbstractTableModel>

class AppWindow;
class QTableView;

class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Serves the table (and becomes its child) for the data source, with these columns.
    DeviceTableModel(const AppWindow* dataSource, QTableView* table, QList<DeviceColumn> columns);

    // The row key shown in the column (logical index); empty when out of range.
    [[nodiscard]] QString columnIdentifier(int column) const { return _columns.value(column).identifier; }

    // Asks the data source again for every row (the rows were replaced).
    void reloadData();

    // The model a table shows, under its proxy; nullptr for another model.
    [[nodiscard]] static DeviceTableModel* of(const QTableView* table);
    // The model row of a row as the view shows it, and back; -1 for none.
    [[nodiscard]] static int modelRow(const QTableView* table, int viewRow);
    [[nodiscard]] static int viewRow(const QTableView* table, int modelRow);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

private:
    const AppWindow* _dataSource;
    const QTableView* _table;
    QList<DeviceColumn> _columns;
    QList<tz::Id> _keys; // each column's identifier as a key object, made once
};
