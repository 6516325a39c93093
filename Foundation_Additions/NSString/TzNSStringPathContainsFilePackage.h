// The file packages (folders a file manager shows as one item) that hold a path.
#pragma once

#include <QString>

namespace tz {

// The resolved path itself or its nearest ancestor that is a file package; none (null) when
// there is none or nothing exists at the path.
[[nodiscard]] QString containingFilePackage(const QString& path);
// The outermost package holding the path: containingFilePackage again from each package's parent.
[[nodiscard]] QString outermostContainingFilePackage(const QString& path);
[[nodiscard]] bool pathContainsFilePackage(const QString& path);

} // namespace tz
