#include "Foundation_Additions/NSString/TzNSStringPathRelativeTo.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSString/PathRules.h"

QString pathRelativeTo(const QString& path, const QString& base)
{
    if (!path.startsWith(base)) {
        tz::logMessage(QStringLiteral("pathRelativeTo Error: %@ does not contain %@"), path, base);
        return {};
    }
    if (path.size() == base.size())
        return path;
    const QStringView rest = QStringView(path).sliced(base.size());
    return (rest.startsWith(u'/') ? rest.sliced(1) : rest).toString();
}

namespace tz {

QString pathRelativeTo(const QString& path, const QString& base)
{
    const QString standardPath = path::standardized(path);
    const QString standardBase = path::standardized(base);
    if (!standardBase.startsWith(u'/') || !standardPath.startsWith(standardBase))
        return standardPath;
    const QStringList components = path::components(standardPath);
    const qsizetype skipped = path::components(standardBase).size();
    return path::fromComponents(components.sliced(std::min(skipped, components.size())));
}

} // namespace tz
