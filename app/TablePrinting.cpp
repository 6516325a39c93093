#include "app/TablePrinting.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace TablePrinting {

float adjustPageHeightNew(float top, float proposedBottom, float /*limit*/, float rowHeight, float intercellSpacing)
{
    const float step = rowHeight + intercellSpacing;
    if (!(step > 0.0f))
        return proposedBottom;
    const float bottom = proposedBottom - std::fmod(proposedBottom - top, step);
    return bottom > top ? bottom : proposedBottom;
}

namespace {

// The widget's font with its size in the widget's pixels, so that it keeps its size
// relative to the table when the painter scales to another device's resolution.
QFont pixelSizedFont(const QWidget& widget)
{
    QFont font = widget.font();
    if (font.pixelSize() <= 0)
        font.setPixelSize(std::max(1, qRound(font.pointSizeF() * widget.logicalDpiY() / 72.0)));
    return font;
}

// Visible sections of a header in visual order.
QList<int> shownSections(const QHeaderView& header)
{
    QList<int> sections;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (!header.isSectionHidden(logical))
            sections.append(logical);
    }
    return sections;
}

// What a cell's text needs beside its own advance: the delegate's margins on both sides.
int cellMargin(const QTableView& table)
{
    return 2 * (table.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &table) + 1) + 2;
}

int headerMargin(const QHeaderView& header)
{
    return 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header) + 2;
}

struct Column
{
    int logical;
    int x;
    int width;
};

class TablePainter
{
public:
    TablePainter(const QTableView& table, QPainter& painter) : _table(table), _painter(painter), _model(*table.model())
    {
        const QHeaderView& header = *table.horizontalHeader();
        int x = 0;
        const QList<int> sections = shownSections(header);
        const QList<int> widths = printedColumnWidths(table);
        for (qsizetype i = 0; i < sections.size(); ++i) {
            _columns.append({sections[i], x, widths.value(i)});
            x += widths.value(i);
        }
        _width = x;
        _rows = shownSections(*table.verticalHeader());
        // Qt draws the grid inside each section, so a row step is the tallest row alone.
        _rowHeight = std::max(1, table.verticalHeader()->defaultSectionSize());
        for (const int row : std::as_const(_rows))
            _rowHeight = std::max(_rowHeight, table.verticalHeader()->sectionSize(row));
        _headerHeight = header.isHidden() ? 0 : header.sizeHint().height();
    }

    int width() const { return _width; }
    int headerHeight() const { return _headerHeight; }
    int rowHeight() const { return _rowHeight; }
    float bodyHeight() const { return float(_rows.size()) * float(_rowHeight); }

    void paintHeader()
    {
        if (_headerHeight == 0)
            return;
        const QHeaderView& header = *_table.horizontalHeader();
        const QFont font = pixelSizedFont(header);
        _painter.setFont(font);
        for (qsizetype i = 0; i < _columns.size(); ++i) {
            const Column& column = _columns[i];
            QStyleOptionHeader option;
            option.initFrom(&header);
            option.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
            option.state |= QStyle::State_Horizontal | QStyle::State_Raised;
            option.fontMetrics = QFontMetrics(font);
            option.orientation = Qt::Horizontal;
            option.rect = QRect(column.x, 0, column.width, _headerHeight);
            option.section = column.logical;
            option.text = _model.headerData(column.logical, Qt::Horizontal, Qt::DisplayRole).toString();
            option.textAlignment = header.defaultAlignment();
            option.position = _columns.size() == 1 ? QStyleOptionHeader::OnlyOneSection
                : i == 0                           ? QStyleOptionHeader::Beginning
                : i == _columns.size() - 1         ? QStyleOptionHeader::End
                                                   : QStyleOptionHeader::Middle;
            header.style()->drawControl(QStyle::CE_Header, &option, &_painter, &header);
        }
    }

    // Rows that overlap [top, bottom) of the body, drawn from y = origin on.
    void paintRows(float top, float bottom, int origin)
    {
        const int first = std::max(0, int(std::floor(top / float(_rowHeight))));
        const int last = std::min(int(_rows.size()), int(std::ceil(bottom / float(_rowHeight))));
        const int grid = _table.showGrid() ? 1 : 0;
        QStyleOptionViewItem base;
        base.initFrom(&_table);
        base.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Selected);
        base.widget = &_table;
        base.font = pixelSizedFont(_table);
        base.fontMetrics = QFontMetrics(base.font);
        // Columns are wide enough for their texts: nothing is replaced by an ellipsis.
        base.textElideMode = Qt::ElideNone;
        base.showDecorationSelected = true;
        base.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        if (_table.iconSize().isValid())
            base.decorationSize = _table.iconSize();
        _painter.save();
        _painter.translate(0.0, qreal(origin) - qreal(top));
        _painter.setFont(base.font);
        for (int i = first; i < last; ++i) {
            const int y = i * _rowHeight;
            for (const Column& column : std::as_const(_columns)) {
                const QModelIndex index = _model.index(_rows[i], column.logical);
                QStyleOptionViewItem option = base;
                option.rect = QRect(column.x, y, column.width - grid, _rowHeight - grid);
                if (_table.alternatingRowColors() && i % 2 == 1)
                    option.features |= QStyleOptionViewItem::Alternate;
                if (QAbstractItemDelegate* delegate = _table.itemDelegateForIndex(index))
                    delegate->paint(&_painter, option, index);
            }
        }
        if (grid == 1 && last > first)
            paintGrid(first, last, base);
        _painter.restore();
    }

private:
    void paintGrid(int first, int last, const QStyleOptionViewItem& base)
    {
        const int gridHint = _table.style()->styleHint(QStyle::SH_Table_GridLineColor, &base, &_table);
        _painter.setPen(QPen(QColor::fromRgba(static_cast<QRgb>(gridHint)), 1, _table.gridStyle()));
        const int yTop = first * _rowHeight;
        const int yBottom = last * _rowHeight - 1;
        for (int i = first; i < last; ++i) {
            const int y = (i + 1) * _rowHeight - 1;
            _painter.drawLine(0, y, _width - 1, y);
        }
        for (const Column& column : std::as_const(_columns)) {
            const int x = column.x + column.width - 1;
            _painter.drawLine(x, yTop, x, yBottom);
        }
    }

    const QTableView& _table;
    QPainter& _painter;
    const QAbstractItemModel& _model;
    QList<Column> _columns;
    QList<int> _rows;
    int _width = 0;
    int _headerHeight = 0;
    int _rowHeight = 1;
};

} // namespace

QList<int> printedColumnWidths(const QTableView& table)
{
    QList<int> widths;
    const QAbstractItemModel* model = table.model();
    if (!model)
        return widths;
    const QHeaderView& header = *table.horizontalHeader();
    const QFontMetrics cellMetrics(table.font());
    const QFontMetrics titleMetrics(header.font());
    const QList<int> rows = shownSections(*table.verticalHeader());
    for (const int logical : shownSections(header)) {
        int width = header.sectionSize(logical);
        const QString title = model->headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
        width = std::max(width, titleMetrics.horizontalAdvance(title) + headerMargin(header));
        for (const int row : rows) {
            const QString text = model->index(row, logical).data(Qt::DisplayRole).toString();
            width = std::max(width, cellMetrics.horizontalAdvance(text) + cellMargin(table));
        }
        widths.append(width);
    }
    return widths;
}

bool printTable(const QTableView& table, QPagedPaintDevice& device, Centering centering)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    if (!table.model())
        return true;
    TablePainter tablePainter(table, painter);
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();
    // Natural size on paper, shrunk to the page's width, and to its height when the header and
    // one row would not fit otherwise: every page then holds at least one whole row.
    qreal scale = qreal(device.logicalDpiY()) / table.logicalDpiY();
    if (tablePainter.width() > 0)
        scale = std::min(scale, pageWidth / tablePainter.width());
    scale = std::min(scale, pageHeight / (tablePainter.headerHeight() + tablePainter.rowHeight()));
    const float pageBody = float(pageHeight / scale) - float(tablePainter.headerHeight());
    const float total = tablePainter.bodyHeight();
    const qreal printedWidth = tablePainter.width() * scale;
    const qreal printedHeight = (tablePainter.headerHeight() + qreal(total)) * scale;
    painter.translate(centering.horizontally ? std::max(0.0, (pageWidth - printedWidth) / 2) : 0.0,
                      centering.vertically && printedHeight <= pageHeight ? (pageHeight - printedHeight) / 2 : 0.0);
    painter.scale(scale, scale);
    const QRectF pageRect(0.0, 0.0, pageWidth / scale, pageHeight / scale);
    float top = 0.0f;
    for (bool firstPage = true;; firstPage = false) {
        if (!firstPage && !device.newPage())
            return false;
        const float bottom = adjustPageHeightNew(top, top + pageBody, total, float(tablePainter.rowHeight()), 0.0f);
        painter.save();
        painter.setClipRect(pageRect);
        tablePainter.paintHeader();
        painter.setClipRect(QRectF(0.0, tablePainter.headerHeight(), pageRect.width(), bottom - top));
        tablePainter.paintRows(top, bottom, tablePainter.headerHeight());
        painter.restore();
        if (bottom >= total || !(bottom > top))
            break;
        top = bottom;
    }
    return painter.end();
}

bool printWidget(QWidget& widget, QPrinter& printer, Centering centering)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QSize size = widget.size();
    if (!size.isEmpty()) {
        // Natural size on paper, shrunk to fit the page.
        const qreal scale = std::min({qreal(printer.logicalDpiY()) / widget.logicalDpiY(),
                                      qreal(printer.width()) / size.width(), qreal(printer.height()) / size.height()});
        painter.translate(centering.horizontally ? (printer.width() - size.width() * scale) / 2 : 0.0,
                          centering.vertically ? (printer.height() - size.height() * scale) / 2 : 0.0);
        painter.scale(scale, scale);
        widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    return painter.end();
}

void printTextDocument(const QTextDocument& document, QPrinter& printer)
{
    document.print(&printer);
}

} // namespace TablePrinting
