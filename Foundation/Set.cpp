#include "Foundation/Set.h"

#include "Foundation/PlistText.h"

namespace tz {

Set::Set(const QList<Id>& objects)
{
    for (const Id& o : objects) {
        if (!o || _members.contains(IdKey{o}))
            continue;
        _members.insert(IdKey{o}, _objects.size());
        _objects.append(o);
    }
}

std::shared_ptr<const Set> Set::make(const QList<Id>& objects)
{
    return std::make_shared<const Set>(objects);
}

QString Set::descriptionAtLevel(int level) const
{
    QString text = QStringLiteral("{(\n");
    for (qsizetype i = 0; i < _objects.size(); ++i) {
        text += plistText::indent(level + 1) + _objects.at(i)->descriptionAtLevel(level + 1);
        text += i + 1 < _objects.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
    }
    return text + plistText::indent(level) + QStringLiteral(")}");
}

bool Set::isEqual(const Object& other) const
{
    const auto* s = dynamic_cast<const Set*>(&other);
    if (!s || s->count() != count())
        return false;
    for (const Id& o : _objects) {
        if (!s->containsObject(o))
            return false;
    }
    return true;
}

} // namespace tz
