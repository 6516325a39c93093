// The data file an AppleDouble companion ("._name") belongs to.
#pragma once

#include <QString>

namespace tz {

// «/x/._foo» gives «/x/foo»; a path whose last component does not begin with "._" is returned as it is.
[[nodiscard]] QString dataForkPath(const QString& path);

} // namespace tz
