// Removing the header folders of the frameworks a bundle embeds.
#pragma once

#include <QString>

// Every item named "Headers" below "<bundle>/Contents/Frameworks" (a folder with all it holds, or
// a file or link; links are not followed and a Headers folder is not searched) is removed. The
// rest stays; failures are ignored, and an empty path does nothing. File managers see the change through the file system itself.
namespace tz {

void StripHeadersFromBundle(const QString& bundlePath);

} // namespace tz
