#include "Foundation_Additions/NSBundle/ResourcePath.h"

#include "Foundation_Additions/NSBundle/Bundle.h"

namespace tz {

QString ResourcePath(const QString& name)
{
    return bundle::pathForResource(name);
}

QString pathToMyResource(const QString& name)
{
    return ResourcePath(name);
}

} // namespace tz
