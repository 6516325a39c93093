#include "Foundation_Additions/NSString/TzNSPathUtilities.h"

#include "Foundation_Additions/NSString/PathRules.h"

namespace tz {

QString firstPathComponent(const QString& path)
{
    const QStringList components = path::components(path);
    return components.isEmpty() ? QStringLiteral("") : components.first();
}

QString stringByDeletingFirstPathComponent(const QString& path)
{
    const QStringList components = path::components(path);
    return components.size() < 2 ? QStringLiteral("") : path::fromComponents(components.sliced(1));
}

QString stringByPrependingPathComponent(const QString& path, const QString& prefix)
{
    return prefix.isNull() ? path : path::appendingComponent(prefix, path);
}

} // namespace tz
