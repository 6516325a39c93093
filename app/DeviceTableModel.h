// The model behind a device table. It holds no rows of its own: it asks the window's data
// source for the row count and each cell's value. Columns are named by the table's dynamic
// properties "columnIdentifiers" (row keys) and "columnTitles" (header texts), set in the layout.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

class AppWindow;
class QTableView;

class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Serves the table (and becomes its child) for the data source.
    DeviceTableModel(const AppWindow* dataSource, QTableView* table);

    // The row key shown in the column (logical index); empty when out of range.
    [[nodiscard]] QString columnIdentifier(int column) const { return _identifiers.value(column); }

    // Asks the data source again for every row (the rows were replaced).
    void reloadData();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const AppWindow* _dataSource;
    const QTableView* _table;
    QStringList _identifiers;
    QStringList _titles;
};
