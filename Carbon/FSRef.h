// File references: a value naming an existing file or folder by its absolute path and its device
// and inode numbers, so that an item replaced at the same path is noticed. Links are never
// followed in the last component: a reference to a symbolic link names the link.
#pragma once

#include "Carbon/FSStatus.h"

#include <QString>
#include <QUrl>

namespace tz {

struct FSRef
{
    QString path; // parent folders canonical, last component as found
    quint64 device = 0;
    quint64 node = 0;

    // The all-zero reference: names nothing (the root folder's parent, a failed conversion).
    [[nodiscard]] bool isNull() const { return path.isEmpty() && device == 0 && node == 0; }
    friend bool operator==(const FSRef&, const FSRef&) = default;
};

// The reference of the item at `path` (relative paths against the current folder; a trailing "/"
// needs a folder). -50 without `ref`, -37 for a path holding a NUL character; the item's status
// (-43 when nothing is there) otherwise, and then *ref is the all-zero reference.
[[nodiscard]] OSErr FSPathMakeRef(const QString& path, FSRef* ref);
// True when the path names an existing item and *ref was filled (FSPathMakeRef without status).
[[nodiscard]] bool getFSRef(const QString& path, FSRef* ref);
// The same for a local file URL; any other URL gives false.
[[nodiscard]] bool getFSRef(const QUrl& url, FSRef* ref);
// The path of a valid reference, at most 1024 bytes of UTF-8; none (null) otherwise.
[[nodiscard]] QString stringWithFSRef(const FSRef& ref);
// The file URL of stringWithFSRef; an empty URL when that gives none.
[[nodiscard]] QUrl URLWithFSRef(const FSRef& ref);

// Whether the reference names an existing item: same path, same device and inode.
[[nodiscard]] bool FSRefValid(const FSRef& ref);
// The folder holding the item; the all-zero reference (status 0) for "/".
[[nodiscard]] OSErr FSGetParentRef(const FSRef& ref, FSRef* parentRef);
// The item's name: its last path component, "/" for the root.
[[nodiscard]] OSErr FSGetFileDirName(const FSRef& ref, QString* name);
// The item's inode number and whether it is a folder; either may be left out.
[[nodiscard]] OSErr FSGetNodeID(const FSRef& ref, quint64* nodeID, bool* isDirectory);
// -45 when the item is locked (immutable attribute set, or no write permission for this process),
// else -44 when its file system is mounted read-only, else 0. -46 is never given.
[[nodiscard]] OSErr FSCheckLock(const FSRef& ref);

} // namespace tz
