// The program's main bundle: the folder that holds its resources and, in "Contents/Info.plist",
// its information dictionary.
#pragma once

#include <QString>

namespace tz::bundle {

// The main bundle's folder: the one given to setMainBundlePath, else the folder of the running
// executable. Safe to call from several threads.
[[nodiscard]] QString mainBundlePath();
// The program names its data folder here at start; an empty path goes back to the default.
void setMainBundlePath(const QString& path);

} // namespace tz::bundle
