// An immutable collection of distinct objects (by isEqual); iteration follows insertion order.
#pragma once

#include "Foundation/Object.h"

#include <QHash>
#include <QList>

namespace tz {

// A hashed-container key for an object that something else keeps alive, compared with isEqual
// without sharing ownership. It carries the object's hash, so probes that meet another key
// compare two numbers before they compare two objects.
struct ObjectRef
{
    explicit ObjectRef(const Object* o) : object(o), hash(o->hash()) {}
    const Object* object;
    std::size_t hash;
    friend bool operator==(const ObjectRef& a, const ObjectRef& b)
    {
        return a.hash == b.hash && (a.object == b.object || a.object->isEqual(*b.object));
    }
};
inline std::size_t qHash(const ObjectRef& key, std::size_t seed = 0)
{
    return key.hash ^ seed;
}

class Set final : public Object
{
public:
    explicit Set(const QList<Id>& objects) : Set(QList<Id>(objects)) {}
    explicit Set(QList<Id>&& objects);
    [[nodiscard]] static std::shared_ptr<const Set> make(const QList<Id>& objects = {});
    [[nodiscard]] static std::shared_ptr<const Set> make(QList<Id>&& objects);

    [[nodiscard]] qsizetype count() const { return _objects.size(); }
    [[nodiscard]] bool containsObject(const Id& object) const { return containsObject(object.get()); }
    [[nodiscard]] bool containsObject(const Object* object) const
    {
        return object && _members.contains(ObjectRef(object));
    }
    [[nodiscard]] const QList<Id>& allObjects() const { return _objects; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSSet"); }
    // "{(\n    a,\n    b\n)}".
    [[nodiscard]] QString description() const override { return descriptionAtLevel(0); }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override { return std::size_t(_objects.size()); }

private:
    QList<Id> _objects;
    // Keys point at the elements _objects keeps alive.
    QHash<ObjectRef, qsizetype> _members;
};

} // namespace tz
