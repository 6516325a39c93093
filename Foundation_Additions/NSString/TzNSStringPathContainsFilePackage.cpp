#include "Foundation_Additions/NSString/TzNSStringPathContainsFilePackage.h"

#include "Foundation_Additions/NSString/PathRules.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"
#include "Foundation_Additions/NSWorkspace/Workspace.h"

namespace tz {

QString containingFilePackage(const QString& path)
{
    QString current = resolvedPath(path);
    while (!current.isNull()) {
        if (workspace::isFilePackage(current))
            return current;
        if (current.size() < 2)
            return {};
        current = path::deletingLastComponent(current);
    }
    return {};
}

QString outermostContainingFilePackage(const QString& path)
{
    QString outermost = containingFilePackage(path);
    for (QString found = outermost; !found.isNull();) {
        const QString parent = path::deletingLastComponent(found);
        // The root is its own parent: stop there rather than find it again.
        if (parent == found)
            break;
        found = containingFilePackage(parent);
        if (!found.isNull())
            outermost = found;
    }
    return outermost;
}

bool pathContainsFilePackage(const QString& path)
{
    return !containingFilePackage(path).isNull();
}

} // namespace tz
