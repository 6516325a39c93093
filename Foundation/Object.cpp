#include "Foundation/Object.h"

#include <functional>

namespace tz {

std::size_t Object::hash() const
{
    return std::hash<const void*>{}(this);
}

QString Object::descriptionAtLevel(int) const
{
    return description();
}

bool isEqual(const Id& a, const Id& b)
{
    if (a == b)
        return true;
    return a && b && a->isEqual(*b);
}

QString describe(const Id& object)
{
    return object ? object->description() : QStringLiteral("(null)");
}

} // namespace tz
