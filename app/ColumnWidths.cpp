#include "app/ColumnWidths.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QTableView>

#include <cmath>

namespace ColumnWidths {

namespace {

// Keeps each section of its header at least as wide as its minimum.
class SectionMinimums : public QObject
{
    Q_OBJECT
public:
    explicit SectionMinimums(QHeaderView& header) : QObject(&header), _header(header)
    {
        connect(&header, &QHeaderView::sectionResized, this, &SectionMinimums::clamp);
    }

    qreal minimum(int section) const { return _minimums.value(section, 0.0); }

    void setMinimums(QList<qreal> minimums)
    {
        _minimums = std::move(minimums);
        for (int section = 0; section < _minimums.size(); ++section)
            clamp(section, 0, _header.sectionSize(section));
    }

private:
    void clamp(int section, int /*oldSize*/, int newSize)
    {
        if (section < 0 || section >= _minimums.size() || _header.isSectionHidden(section))
            return;
        const int minimum = int(std::ceil(_minimums[section]));
        if (newSize < minimum)
            _header.resizeSection(section, minimum);
    }

    QHeaderView& _header;
    QList<qreal> _minimums;
};

SectionMinimums* minimumsOf(const QHeaderView& header)
{
    return header.findChild<SectionMinimums*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

void updateColumnMinWidthsForTable(QTableView& table)
{
    const QAbstractItemModel* model = table.model();
    if (!model)
        return;
    const QFontMetricsF metrics(table.font(), &table);
    const int rowCount = model->rowCount();
    const int columnCount = model->columnCount();
    QList<qreal> minimums;
    minimums.reserve(columnCount);
    for (int column = 0; column < columnCount; ++column) {
        qreal width = 0.0;
        for (int row = 0; row < rowCount; ++row) {
            const QString text = model->index(row, column).data(Qt::DisplayRole).toString();
            width = std::max(width, metrics.horizontalAdvance(text));
        }
        minimums.append(width + 4.0);
    }
    QHeaderView& header = *table.horizontalHeader();
    SectionMinimums* sectionMinimums = minimumsOf(header);
    if (!sectionMinimums)
        sectionMinimums = new SectionMinimums(header);
    sectionMinimums->setMinimums(std::move(minimums));
}

qreal columnMinWidth(const QTableView& table, int column)
{
    const SectionMinimums* sectionMinimums = minimumsOf(*table.horizontalHeader());
    return sectionMinimums ? sectionMinimums->minimum(column) : 0.0;
}

} // namespace ColumnWidths

#include "ColumnWidths.moc"
