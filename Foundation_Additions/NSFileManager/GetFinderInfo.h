// An item's file-browser information (the 16 bytes of Finder information kept in its AppleDouble
// companion, zeros without one) and a folder's view style, which that information holds.
#pragma once

#include "Foundation/Number.h"

#include <QByteArray>

#include <memory>

namespace tz {

// True when something is at the path, it has a file reference and its catalogue information
// could be read; then info, when given, receives the 16 bytes. A link at the path is followed. False for
// a companion that cannot be read, leaving info as it was.
[[nodiscard]] bool GetFinderInfo(const QString& path, QByteArray* info = nullptr);
// For a folder (links followed) whose information can be read: its view field, the big-endian
// 16-bit value in bytes 14 and 15, as an unsigned number. None otherwise.
[[nodiscard]] std::shared_ptr<const Number> GetFolderViewStyle(const QString& path);

} // namespace tz
