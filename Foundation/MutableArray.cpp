#include "Foundation/MutableArray.h"

#include "Foundation/Array.h"

namespace tz {

MutableArray::MutableArray(QList<Id> objects) : _objects(std::move(objects))
{
    _objects.removeIf([](const Id& o) { return !o; });
}

MutableArrayPtr MutableArray::make(QList<Id> objects)
{
    return std::make_shared<MutableArray>(std::move(objects));
}

Id MutableArray::objectAtIndex(qsizetype index) const
{
    return index >= 0 && index < _objects.size() ? _objects.at(index) : Id();
}

void MutableArray::addObject(const Id& object)
{
    if (object)
        _objects.append(object);
}

void MutableArray::insertObjectAtIndex(const Id& object, qsizetype index)
{
    if (object)
        _objects.insert(qBound(qsizetype(0), index, _objects.size()), object);
}

void MutableArray::removeObjectAtIndex(qsizetype index)
{
    if (index >= 0 && index < _objects.size())
        _objects.removeAt(index);
}

QString MutableArray::descriptionAtLevel(int level) const
{
    // Printed as the immutable array of the same elements.
    return Array(_objects).descriptionAtLevel(level);
}

bool MutableArray::isEqual(const Object& other) const
{
    if (const auto* a = dynamic_cast<const Array*>(&other))
        return Array(_objects).isEqual(*a);
    const auto* m = dynamic_cast<const MutableArray*>(&other);
    if (!m || m->_objects.size() != _objects.size())
        return false;
    for (qsizetype i = 0; i < _objects.size(); ++i) {
        if (!tz::isEqual(_objects.at(i), m->_objects.at(i)))
            return false;
    }
    return true;
}

} // namespace tz
