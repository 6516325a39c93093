#include "Foundation_Additions/NSCollection/TzNSNullIfNil.h"

namespace tz {

Id ifNil(const Id& object)
{
    return object ? object : Id(Null::null());
}

Id ifNull(const Id& object)
{
    return object == Null::null() ? Id() : object;
}

ComparisonResult nullCompare(const Id& other)
{
    return other == Null::null() ? ComparisonResult::Same : ComparisonResult::Ascending;
}

} // namespace tz
