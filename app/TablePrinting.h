// Printing what the window shows: a table page by page without cutting a row, the whole
// window scaled to one page, and a text document.
#pragma once

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

// Prints the header and every row of the table (not only the visible ones) with the table's
// delegate, font, column widths and column order; hidden columns stay hidden. The header
// repeats on every page, pages end where adjustPageHeightNew puts them, and a table wider
// than the page is scaled down to its width. False when the device cannot be painted on.
bool printTable(const QTableView& table, QPagedPaintDevice& device);
// The widget as it looks on screen, scaled to fit one page, aspect ratio kept.
bool printWidget(QWidget& widget, QPrinter& printer);
// The document laid out on the printer's pages.
void printTextDocument(const QTextDocument& document, QPrinter& printer);

} // namespace TablePrinting
