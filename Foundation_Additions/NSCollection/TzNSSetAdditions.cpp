#include "Foundation_Additions/NSCollection/TzNSSetAdditions.h"

#include <algorithm>
#include <iterator>

namespace tz {

namespace {

// The receiver's elements for which keep holds; the receiver when that is all of them.
SetPtr filtered(const SetPtr& set, auto keep)
{
    QList<Id> objects;
    objects.reserve(set->count());
    for (const Id& o : set->allObjects()) {
        if (keep(o))
            objects.append(o);
    }
    return objects.size() == set->count() ? set : Set::make(std::move(objects));
}

} // namespace

SetPtr setByIntersectionWithSet(const SetPtr& set, const SetPtr& other)
{
    if (!set || !other)
        return set;
    return filtered(set, [&](const Id& o) { return other->containsObject(o); });
}

SetPtr setBySubtractingSet(const SetPtr& set, const SetPtr& other)
{
    if (!set || !other || other->count() == 0)
        return set;
    return filtered(set, [&](const Id& o) { return !other->containsObject(o); });
}

SetPtr setByUnionWithSet(const SetPtr& set, const SetPtr& other)
{
    if (!set || !other)
        return set;
    const auto& theirs = other->allObjects();
    const auto missing = [&](const Id& o) { return !set->containsObject(o); };
    const auto first = std::find_if(theirs.cbegin(), theirs.cend(), missing);
    if (first == theirs.cend())
        return set;
    QList<Id> objects;
    objects.reserve(set->count() + (theirs.cend() - first));
    objects.append(set->allObjects());
    std::copy_if(first, theirs.cend(), std::back_inserter(objects), missing);
    return Set::make(std::move(objects));
}

SetPtr setByAddingObject(const SetPtr& set, const Id& object)
{
    if (!set || !object || set->containsObject(object))
        return set;
    return Set::make(set->allObjects() + QList<Id>{object});
}

SetPtr setByRemovingObject(const SetPtr& set, const Id& object)
{
    if (!set || !set->containsObject(object))
        return set;
    return filtered(set, [&](const Id& o) { return !isEqual(o, object); });
}

} // namespace tz
