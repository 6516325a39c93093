#include "Foundation_Additions/NSCollection/TzAutoreleasedCopy.h"

#include "Foundation/Array.h"
#include "Foundation/AutoreleaseScope.h"

namespace tz {

Id autoreleasedCopy(const Id& object)
{
    Id copy = object;
    if (const auto* mutableArray = as<MutableArray>(object))
        copy = Array::make(mutableArray->objects());
    if (copy)
        AutoreleaseScope::autorelease(copy);
    return copy;
}

MutableArrayPtr autoreleasedMutableCopy(const Id& object)
{
    MutableArrayPtr copy;
    if (const auto* array = as<Array>(object))
        copy = MutableArray::make(array->objects());
    else if (const auto* mutableArray = as<MutableArray>(object))
        copy = MutableArray::make(mutableArray->objects());
    if (copy)
        AutoreleaseScope::autorelease(copy);
    return copy;
}

} // namespace tz
