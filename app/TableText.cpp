#include "app/TableText.h"

#include <QHeaderView>
#include <QTableView>

namespace TableText {

QString tableToText(const QTableView& table)
{
    const QAbstractItemModel* model = table.model();
    if (!model)
        return {};
    const QHeaderView* header = table.horizontalHeader();
    const int columnCount = model->columnCount();
    QList<int> columns;
    columns.reserve(columnCount);
    for (int visual = 0; visual < columnCount; ++visual) {
        const int logical = header->logicalIndex(visual);
        columns.append(logical < 0 ? visual : logical);
    }

    QString text;
    const auto appendLine = [&](const auto& field) {
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += field(columns[i]);
        }
        text += u'\n';
    };
    appendLine([&](int column) {
        return model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    });
    const int rowCount = model->rowCount();
    for (int row = 0; row < rowCount; ++row)
        appendLine([&](int column) { return model->index(row, column).data(Qt::DisplayRole).toString(); });
    return text;
}

} // namespace TableText
