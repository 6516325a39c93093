// What a Linux file manager makes of a path: whether a folder is a file package, one item shown
// as a file (an application bundle, a styled-text folder).
#pragma once

#include <QString>
#include <QStringList>

namespace tz::workspace {

// The extensions that make a folder a package, lower case: app, bundle, framework, plugin, kext,
// pkg, mpkg, rtfd, wdgt, xcodeproj, component, prefpane, saver, qlgenerator, mdimporter, playground.
[[nodiscard]] const QStringList& filePackageExtensions();

// A directory (symbolic links followed) whose extension is one of filePackageExtensions(), in any
// case, or that holds "Contents/Info.plist". False for a plain file or nothing at the path.
[[nodiscard]] bool isFilePackage(const QString& path);

} // namespace tz::workspace
