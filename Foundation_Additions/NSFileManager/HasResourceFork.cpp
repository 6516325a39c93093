#include "Foundation_Additions/NSFileManager/HasResourceFork.h"

#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/WyResourceFork.h"

namespace tz {

bool HasResourceFork(const QString& path)
{
    // Every file opens with an empty fork when it has none, so the fork's bytes decide.
    return WyResourceFork::resourceForkForReadingAtPath(path) != nullptr && resourceForkSize(path) > 0;
}

} // namespace tz
