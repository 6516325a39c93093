#include "Foundation/Set.h"

#include "Foundation/PlistText.h"

namespace tz {

Set::Set(QList<Id>&& objects)
{
    // Duplicates and nils are squeezed out in place; the keys point at the objects, which
    // stay where they are when their Ids move.
    _members.reserve(objects.size());
    qsizetype kept = 0;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        if (!objects.at(i))
            continue;
        const qsizetype before = _members.size();
        qsizetype& position = _members[ObjectRef(objects.at(i).get())];
        if (_members.size() == before)
            continue;
        position = kept;
        if (kept != i)
            objects[kept] = std::move(objects[i]);
        ++kept;
    }
    objects.resize(kept);
    _objects = std::move(objects);
}

std::shared_ptr<const Set> Set::make(const QList<Id>& objects)
{
    return std::make_shared<const Set>(objects);
}

std::shared_ptr<const Set> Set::make(QList<Id>&& objects)
{
    return std::make_shared<const Set>(std::move(objects));
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
