#include "Foundation_Additions/NSCollection/TzNSStringDictionaryFromTabSeparatedList.h"

#include "Foundation/LogLine.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSString/TzNSStringLinesFromString.h"
#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"

namespace tz {

QStringList filledColumnsFromRow(const QString& line)
{
    QStringList columns;
    for (const QStringView field : QStringView(line).split(u'\t')) {
        const QString trimmed = stringByTrimmingWhiteSpaces(field.toString());
        if (!trimmed.isEmpty())
            columns.append(trimmed);
    }
    return columns;
}

DictionaryPtr dictionaryFromTabSeparatedList(const QString& text)
{
    // Entries are collected and the dictionary built once: repeated keys keep their first
    // position and take the last value, as setting them one by one would.
    QList<Dictionary::Entry> entries;
    for (const QString& line : lines(text)) {
        const QStringList columns = filledColumnsFromRow(line);
        if (columns.size() != 2) {
            TZ_LOG_LINE("-[NSString(DictionaryFromTabSeparatedList) dictionaryFromTabSeparatedList]",
                        "line \"%@\" has %d filled columns: should be 2", line, int(columns.size()));
        }
        if (columns.size() >= 2)
            entries.append({str(columns.at(0)), str(columns.at(1))});
    }
    return Dictionary::make(entries);
}

} // namespace tz
