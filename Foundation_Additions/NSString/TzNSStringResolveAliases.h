// Paths through symbolic links (the aliases of this platform). Three outcomes: the path the
// link chain ends at, the path unchanged when it names no link, or none (a null QString) when
// nothing exists there or the chain is broken or loops.
#pragma once

#include <QString>

namespace tz {

// The receiver itself when it names no link; the canonical path of the chain's end otherwise.
[[nodiscard]] QString resolveAliasFile(const QString& path);
// As resolveAliasFile, starting from the standardised path ("~" expanded, empty and "."
// components removed, ".." resolved in absolute paths, no trailing "/"); links in the parent
// folders of an ordinary item are not expanded.
[[nodiscard]] QString resolvedPath(const QString& path);
// resolvedPath, or the receiver unchanged when that gives none. Never null for a non-null path.
[[nodiscard]] QString stringByResolvingSymlinksAndAliasesInPath(const QString& path);

} // namespace tz
