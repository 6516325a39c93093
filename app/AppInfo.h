// The program's name, version and licence, as the window title, --version, the help and the
// About box show them.
#pragma once

#include <QString>

namespace AppInfo {

[[nodiscard]] QString displayName();
[[nodiscard]] QString executableName();
[[nodiscard]] QString version();
// The licence the program is distributed under: "MIT License".
[[nodiscard]] QString licence();

} // namespace AppInfo
