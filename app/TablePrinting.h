// Printing what the window shows: a table page by page without cutting a row, the whole
// window scaled to one page, and a text document.
#pragma once

#include <QList>

class QPagedPaintDevice;
class QPrinter;
class QTableView;
class QTextDocument;
class QWidget;

namespace TablePrinting {

// The bottom of a printed table page: the proposed bottom moved up to the last whole row
// step (row height + intercell spacing) below top. The limit is not used. When not even one
// step fits (or the step is not positive), the proposed bottom itself: that one row is cut,
// but every page still moves the printout on.
[[nodiscard]] float adjustPageHeightNew(float top, float proposedBottom, float limit, float rowHeight,
                                        float intercellSpacing);

// The width each shown column takes on paper, in the table's pixels and visual order: its width
// on screen, widened where its title or a cell's text would not fit whole (the page's scale then
// shrinks the whole table to the paper's width, so no text is cut or elided).
[[nodiscard]] QList<int> printedColumnWidths(const QTableView& table);

// Prints the header and every row of the table (not only those scrolled into view) with the
// table's delegate, font, column widths and order; hidden rows and columns stay hidden, no
// selection is drawn, and every row takes the tallest row's height. Columns take their
// printedColumnWidths. The header repeats on
// every page and pages end where adjustPageHeightNew puts them (Qt draws the grid inside a
// row, so the spacing is 0). The table keeps its size on paper, shrunk to the page's width,
// and further when the header and one row would not fit a page, so no page cuts a row.
// False when the device cannot be painted on or refuses a new page.
bool printTable(const QTableView& table, QPagedPaintDevice& device);
// The widget as it looks on screen, at its size on paper, shrunk to fit one page (aspect ratio
// kept). False when the printer cannot be painted on.
bool printWidget(QWidget& widget, QPrinter& printer);
// The document laid out on the printer's pages.
void printTextDocument(const QTextDocument& document, QPrinter& printer);

} // namespace TablePrinting
