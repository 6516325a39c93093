// Whether this account is a marked one: a file "zz<SHA-1 of the login name, hexadecimal>.txt"
// lies directly in the home folder.
#pragma once

#include <QString>

namespace tz {

// Decided on the first call and kept for the life of the process; a marked account logs
// "On My Mac!" once. Safe from any thread.
[[nodiscard]] bool OnMyMac();
// The marker's file name, "zz" and the upper-case hexadecimal digest of the login name's
// ASCII bytes, with the extension "txt". Computed once.
[[nodiscard]] const QString& onMyMacMarkerName();

} // namespace tz
