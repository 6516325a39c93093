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
    QStringList titles;
    columns.reserve(columnCount);
    titles.reserve(columnCount);
    for (int visual = 0; visual < columnCount; ++visual) {
        const int logical = header->logicalIndex(visual);
        columns.append(logical < 0 ? visual : logical);
        titles.append(model->headerData(columns.last(), Qt::Horizontal, Qt::DisplayRole).toString());
    }
    return tableToText(titles, model->rowCount(), [&](int row, int column) {
        return model->index(row, columns[column]).data(Qt::DisplayRole).toString();
    });
}

QString tableToText(const QStringList& titles, int rowCount, const std::function<QString(int row, int column)>& field)
{
    QString text;
    const auto appendLine = [&](const auto& fieldAt) {
        for (qsizetype i = 0; i < titles.size(); ++i) {
            if (i > 0)
                text += u'\t';
            text += fieldAt(int(i));
        }
        text += u'\n';
    };
    appendLine([&](int column) { return titles[column]; });
    for (int row = 0; row < rowCount; ++row)
        appendLine([&](int column) { return field(row, column); });
    return text;
}

} // namespace TableText
