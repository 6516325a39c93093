// The name a Linux file manager shows for an item: not a path.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace tz {

// The last path component; for a desktop entry (a file ending in ".desktop") the Name= entry of
// its [Desktop Entry] group when it has one. "/" for the root, the empty string for none.
[[nodiscard]] QString displayPath(const QString& path);
// The unlocalised Name= entry of the [Desktop Entry] group of a desktop entry's bytes (UTF-8,
// blanks around "=" and the value ignored); none (null) when it has none or an empty one.
[[nodiscard]] QString desktopEntryName(QByteArrayView bytes);

} // namespace tz
