// Two-column tab-separated lists read into a dictionary of strings.
#pragma once

#include "Foundation/Dictionary.h"

#include <QStringList>

namespace tz {

// The tab-separated fields of one line, each trimmed of white space and line ends, empty ones dropped.
[[nodiscard]] QStringList filledColumnsFromRow(const QString& line);

// First filled column of each line -> its second; a later line with the same key wins and
// further columns are ignored. Every line without exactly two filled columns (blank lines
// included) is logged "line \"%@\" has %d filled columns: should be 2"; lines with fewer add nothing.
[[nodiscard]] DictionaryPtr dictionaryFromTabSeparatedList(const QString& text);

} // namespace tz
