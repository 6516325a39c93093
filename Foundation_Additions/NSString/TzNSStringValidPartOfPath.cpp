#include "Foundation_Additions/NSString/TzNSStringValidPartOfPath.h"

#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"
#include "Foundation_Additions/NSString/PathRules.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

namespace tz {

QString validPartOfPathResolvingLinks(const QString& path, bool resolvingLinks)
{
    const QString start = resolvingLinks ? stringByResolvingSymlinksAndAliasesInPath(path) : path;
    QString valid = QStringLiteral("");
    QString candidate = valid;
    for (const QString& component : path::components(start)) {
        candidate = path::appendingComponent(candidate, component);
        if (!fileExistsAtPath(candidate))
            break;
        valid = candidate;
    }
    return valid;
}

} // namespace tz
