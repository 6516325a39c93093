#include "Foundation/Array.h"

#include "Foundation/PlistText.h"

#include <algorithm>

namespace tz {

Array::Array(QList<Id> objects) : _objects(std::move(objects))
{
    _objects.removeIf([](const Id& o) { return !o; });
}

std::shared_ptr<const Array> Array::make(QList<Id> objects)
{
    return std::make_shared<const Array>(std::move(objects));
}

Id Array::objectAtIndex(qsizetype index) const
{
    return index >= 0 && index < _objects.size() ? _objects.at(index) : Id();
}

bool Array::containsObject(const Id& object) const
{
    return std::any_of(_objects.cbegin(), _objects.cend(), [&](const Id& o) { return tz::isEqual(o, object); });
}

QString Array::descriptionAtLevel(int level) const
{
    QString text = QStringLiteral("(\n");
    for (qsizetype i = 0; i < _objects.size(); ++i) {
        text += plistText::indent(level + 1) + _objects.at(i)->descriptionAtLevel(level + 1);
        text += i + 1 < _objects.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return text + plistText::indent(level) + u')';
}

bool Array::isEqual(const Object& other) const
{
    const auto* a = dynamic_cast<const Array*>(&other);
    if (!a || a->_objects.size() != _objects.size())
        return false;
    for (qsizetype i = 0; i < _objects.size(); ++i) {
        if (!tz::isEqual(_objects.at(i), a->_objects.at(i)))
            return false;
    }
    return true;
}

} // namespace tz
