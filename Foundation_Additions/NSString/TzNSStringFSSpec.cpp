#include "Foundation_Additions/NSString/TzNSStringFSSpec.h"

#include "Foundation/LogLine.h"

namespace tz {

FSRef getFSRef(const QString& path)
{
    FSRef ref;
    const OSErr status = FSPathMakeRef(path, &ref);
    if (status != fsNoError)
        TZ_LOG_LINE("-[NSString(FSSpec) getFSRef]", "%d returned from FSPathMakeRef for path %@", int(status), path);
    return ref;
}

} // namespace tz
