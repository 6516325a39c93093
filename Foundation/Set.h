// An immutable collection of distinct objects (by isEqual); iteration follows insertion order.
#pragma once

#include "Foundation/Object.h"

#include <QHash>
#include <QList>

namespace tz {

class Set final : public Object
{
public:
    explicit Set(const QList<Id>& objects);
    [[nodiscard]] static std::shared_ptr<const Set> make(const QList<Id>& objects = {});

    [[nodiscard]] qsizetype count() const { return _objects.size(); }
    [[nodiscard]] bool containsObject(const Id& object) const { return object && _members.contains(IdKey{object}); }
    [[nodiscard]] const QList<Id>& allObjects() const { return _objects; }

    [[nodiscard]] QString className() const override { return QStringLiteral("NSSet"); }
    // "{(\n    a,\n    b\n)}".
    [[nodiscard]] QString description() const override { return descriptionAtLevel(0); }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override { return std::size_t(_objects.size()); }

private:
    QList<Id> _objects;
    QHash<IdKey, qsizetype> _members;
};

} // namespace tz
