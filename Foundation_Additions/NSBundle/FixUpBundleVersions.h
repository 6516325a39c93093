// Filling in the short version string of the main bundle's information dictionary.
#pragma once

namespace tz {

// Nothing when the dictionary has "CFBundleShortVersionString". Otherwise, in its file, the
// version ("CFBundleVersion") and a blank go in front of every U+00A9 of "CFBundleGetInfoString"
// ("Tool © 2005" with 1.2 becomes "Tool 1.2 © 2005"), the version is stored as the short version
// string, and the file is replaced atomically in its own format. Without a version string nothing
// changes; without a get-info string only the short version is added. A failed write is ignored.
void FixUpBundleVersions();

} // namespace tz
