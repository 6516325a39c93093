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
// The installed data folder (the simulated drives, a copy of the default profile, the program's
// information dictionary in Contents/Info.plist): found beside the running program (the build
// tree has one too), else the folder of the configured install prefix. The main bundle.
[[nodiscard]] QString dataDirectory();

} // namespace AppInfo
