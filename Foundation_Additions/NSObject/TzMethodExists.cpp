#include "Foundation_Additions/NSObject/TzMethodExists.h"

#include "Foundation_Additions/NSString/TzAppendableStringFromMethodName.h"

namespace tz {

bool methodExists(const QString& name)
{
    return selectorIsKnown(name);
}

Selector TzNSSelectorFromString(const QString& name)
{
    return knownSelector(name);
}

Selector validationMethodExistsForAction(Selector action)
{
    if (!action)
        return {};
    return TzNSSelectorFromString(QStringLiteral("menuValidationFor") + appendableStringFromMethodName(action.name()));
}

} // namespace tz
