// The program's name and version, as the window title, --version and the help show them.
#pragma once

#include <QString>

namespace AppInfo {

[[nodiscard]] QString displayName();
[[nodiscard]] QString executableName();
[[nodiscard]] QString version();

} // namespace AppInfo
