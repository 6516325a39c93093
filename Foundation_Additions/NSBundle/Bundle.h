// The program's main bundle: the folder that holds its resources and, in "Contents/Info.plist",
// its information dictionary.
#pragma once

#include "Foundation/Dictionary.h"

#include <QString>

namespace tz::bundle {

// The main bundle's folder: the one given to setMainBundlePath, else the folder of the running
// executable. Safe to call from several threads.
[[nodiscard]] QString mainBundlePath();
// The program names its data folder here at start; an empty path goes back to the default.
void setMainBundlePath(const QString& path);

// "<bundle>/Contents/Info.plist" of the main bundle.
[[nodiscard]] QString infoDictionaryPath();
// That file's dictionary, read on every call (so a rewritten file is seen); nil when it is
// missing, unreadable or not a dictionary.
[[nodiscard]] std::shared_ptr<const Dictionary> infoDictionary();
// The main bundle's resource of that full name: "Contents/Resources/<name>", else "<name>" at
// the bundle's top. None (null) when neither exists, and for an empty or absolute name or one
// with a ".." component, which could lead out of the bundle.
[[nodiscard]] QString pathForResource(const QString& name);

} // namespace tz::bundle
