#include "Foundation_Additions/NSFileManager/WyNSURLResolveAliasFile.h"

#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

namespace tz {

QUrl resolveAliasFile(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    // The string form hands back the path itself exactly when it names no link.
    const QString resolved = resolveAliasFile(path);
    return resolved.isNull() || resolved == path ? QUrl() : QUrl::fromLocalFile(resolved);
}

} // namespace tz
