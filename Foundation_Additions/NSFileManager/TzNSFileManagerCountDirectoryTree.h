// Counting the items of a file tree with an fts walk.
#pragma once

#include <QString>

namespace tz {

// The items of the tree rooted at the path: every file, link and folder once, the root too
// (a folder with two files and an empty folder counts 4). A link given as the root is followed;
// other devices are not entered; traverseLinks follows every link (a logical walk), otherwise
// none. Items the walk cannot read are counted, each after a log line naming its error and
// path; a walk that ends early logs its error too. 0 when the walk cannot start.
[[nodiscard]] qint64 countDirectoryTreeTraverseLinks(const QString& path, bool traverseLinks);

} // namespace tz
