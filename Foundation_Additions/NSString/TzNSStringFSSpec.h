// The file reference and the older file specification of a path, by value. A path that names
// nothing gives the all-zero reference and one log line "<status> returned from FSPathMakeRef for
// path <path>"; getFSSpec then adds "<status> returned from FSGetCatalogInfo for path <path>".
#pragma once

#include "Carbon/FSRef.h"
#include "Carbon/FSUnsupported.h"

namespace tz {

[[nodiscard]] FSRef getFSRef(const QString& path);
// The item's volume (mount ID), its parent folder's inode and its name as a length byte and up
// to 31 bytes of Mac OS Roman (other characters become "?", a longer name is cut). On failure the
// specification is all zero with an empty name.
[[nodiscard]] FSSpec getFSSpec(const QString& path);

} // namespace tz
