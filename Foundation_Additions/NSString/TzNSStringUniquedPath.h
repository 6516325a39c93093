// A free name for a copy: «/d/file.txt» gives «/d/file copy N.txt» for the smallest free N from 1.
#pragma once

#include <QString>

namespace tz {

// The path itself when nothing exists there (a link to nothing is something: a caller writing to
// the free name must not write through a link). Otherwise, while the
// current name is taken: a base name holding " copy" (case ignored) is cut before its last one,
// any other gets " copy <counter>" with the counter going up by one each time, never restarting;
// the extension is kept («report copy.txt» gives «report.txt» when that is free). A name without
// an extension gets none, so no dot is added.
[[nodiscard]] QString uniquedPath(const QString& path);

} // namespace tz
