// Whether a file browser shows an item, and making a hidden item visible again. Three marks hide
// an item: a name beginning with ".", the invisible bit (0x4000 of the Finder flags, kept in the
// item's AppleDouble companion) and a listing in a ".hidden" file.
#pragma once

#include <QString>

namespace tz {

inline constexpr quint16 invisibleFinderFlag = 0x4000;

// The 21 names used when "/.hidden" cannot be read, one text separated by line feeds.
[[nodiscard]] QString defaultRootHiddenList();
// The text of "/.hidden", read at the first call and kept for the life of the process (the
// default list when it cannot be read). Safe to call from several threads.
[[nodiscard]] QString rootHiddenList();

// The last path component occurs, as a literal substring, in the root list or in the text of the
// ".hidden" file of the item's folder (read afresh each time; unreadable counts as no match).
// The lists are not split into lines: part of a listed name matches too.
[[nodiscard]] bool inDotHiddenFile(const QString& path);
// The invisible bit; false when nothing is at the path or its companion cannot be read.
[[nodiscard]] bool fileInvisibleBitSet(const QString& path);
// Sets or clears the invisible bit, every other Finder flag left as it was; true when stored.
// Setting it creates a companion; clearing the last non-zero byte of one removes it.
[[nodiscard]] bool setFileInvisibleBit(const QString& path, bool hidden);

// What Linux file browsers hide (GNOME Files, Dolphin): the item is there, its name begins with
// no "." and ends with no "~" (a backup file, which GNOME Files hides too), no line of its
// folder's ".hidden" file is its name, and the invisible bit is clear.
[[nodiscard]] bool visibleFileAtPath(const QString& path);
// False for a name beginning with "."; otherwise the bit is clear and inDotHiddenFile is false.
[[nodiscard]] bool fileIsVisible(const QString& path);

// Makes the item visible by all three marks: clears the bit, and where the name hides the item
// renames it to "dot(%@)", wrapped in "inv isible_bit(%@)" when the bit was set and then in
// "in_dot_hiddenfile(%@)" when it is listed, the extension kept after the wrappers. The
// companion follows the rename. On a rename *path becomes the new path. False when nothing is at
// the path, the bit cannot be cleared, or the rename fails (an item already has the new name:
// it is never replaced), leaving *path as it was.
[[nodiscard]] bool makeFileVisible(QString* path);
// The same for the "." and bit marks only: ".name.ext" becomes "(.)name.ext".
[[nodiscard]] bool makeFileVisibleLite(QString* path);

} // namespace tz
