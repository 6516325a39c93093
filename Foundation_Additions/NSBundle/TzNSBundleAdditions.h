// What the program says it can open, from the main bundle's information dictionary.
#pragma once

#include <QStringList>

namespace tz {

// For each entry of "CFBundleDocumentTypes" in order whose "CFBundleTypeRole" is not "None" (an
// entry without a role counts): its "CFBundleTypeExtensions" in upper case, then its
// "CFBundleTypeOSTypes" as file-type strings, the code's four characters in single quotes
// ("'TEXT'"; "''" for a text that is no four-character code). Duplicates are kept; entries and
// values of the wrong kind are skipped. Empty without a dictionary or a list.
[[nodiscard]] QStringList openableDocumentTypes();

} // namespace tz
