#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QFileInfo>

namespace tz {

QString stringByResolvingSymlinksAndAliasesInPath(const QString& path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

} // namespace tz
