// A table view as plain text: a line of column titles, then one line per row, fields
// separated by one tab, every line ended by "\n", nothing quoted or escaped.
#pragma once

#include <QString>

class QTableView;

namespace TableText {

// Columns in the header's current visual order (as the user arranged them), hidden ones
// included: the text holds all the data, not only what is on screen. Titles are the model's
// horizontal header data, fields each cell's display text, rows in model order; a cell
// without a value gives an empty field. No rows: the title line alone. No model: empty.
[[nodiscard]] QString tableToText(const QTableView& table);

} // namespace TableText
