// The longest leading part of a path at which something exists (symbolic links followed).
#pragma once

#include <QString>

namespace tz {

// Built up component by component from the empty path (after resolving the path's links and
// aliases when resolvingLinks is set); the whole path when every part exists, the empty string
// when not even the first component does: «/tmp/none/x» gives «/tmp» while «/tmp/none» is missing.
[[nodiscard]] QString validPartOfPathResolvingLinks(const QString& path, bool resolvingLinks);

} // namespace tz
