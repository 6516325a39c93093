// Helpers shared by the file-reference functions.
#pragma once

#include "Carbon/FSRef.h"

#include <QByteArray>
#include <QFile>

#include <sys/stat.h>

namespace tz::fsref {

[[nodiscard]] inline QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// lstat of a reference that must still name the same item: -43 when it is gone or replaced.
[[nodiscard]] OSErr statOf(const FSRef& ref, struct stat* info);
// `name` in the folder `folder` ("/" joins without doubling).
[[nodiscard]] QString childPath(const QString& folder, const QString& name);
// The reference of an item known by its folder's path and name.
[[nodiscard]] OSErr childRef(const QString& folder, const QString& name, FSRef* ref);
// The folder part of a reference's path ("/" for top-level items, empty for the root).
[[nodiscard]] QString parentPath(const QString& path);
[[nodiscard]] QString lastComponent(const QString& path);
// Whether the immutable attribute is set (false when it cannot be read).
[[nodiscard]] bool isImmutable(const QString& path, const struct stat& info);
// Sets or clears the immutable attribute; the errno status.
[[nodiscard]] OSErr setImmutable(const QString& path, bool immutable);

} // namespace tz::fsref
