// A table as plain text: a line of column titles, then one line per row, fields separated by
// one tab, every line ended by "\n", nothing quoted or escaped.
#pragma once

#include <QStringList>

#include <functional>

class QTableView;

namespace TableText {

// Columns in the header's current visual order (as the user arranged them), hidden ones
// included: the text holds all the data, not only what is on screen. Titles are the model's
// horizontal header data, fields each cell's display text, rows in model order; a cell
// without a value gives an empty field. No rows: the title line alone. No model: empty.
[[nodiscard]] QString tableToText(const QTableView& table);

// The same text for a table given by its titles and a field getter (row, column index in titles).
[[nodiscard]] QString tableToText(const QStringList& titles, int rowCount,
                                  const std::function<QString(int row, int column)>& field);

} // namespace TableText
