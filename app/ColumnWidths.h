// Column minimum widths that fit a table's contents. QHeaderView has no minimum per section,
// so the minimums live in a small object owned by the header, which widens a section resized
// below its minimum again.
#pragma once

#include <QtGlobal>

class QTableView;

namespace ColumnWidths {

// For each column: minimum := the widest display text of its cells in the table's font
// (0 without rows; a cell without a value counts as 0) + 4.0; a column narrower than its new
// minimum is widened to it. Calling again replaces the minimums.
void updateColumnMinWidthsForTable(QTableView& table);
// The minimum last set for a column (by its model index); 0 when none was set.
[[nodiscard]] qreal columnMinWidth(const QTableView& table, int column);

} // namespace ColumnWidths
