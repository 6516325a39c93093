// An ordered, immutable list of objects; elements are never nil.
#pragma once

#include "Foundation/Object.h"

#include <QList>

namespace tz {

class Array final : public Object
{
public:
    explicit Array(QList<Id> objects);
    [[nodiscard]] static std::shared_ptr<const Array> make(QList<Id> objects = {});

    [[nodiscard]] qsizetype count() const { return _objects.size(); }
    [[nodiscard]] bool isEmpty() const { return _objects.isEmpty(); }
    // nil when the index is out of range.
    [[nodiscard]] Id objectAtIndex(qsizetype index) const;
    [[nodiscard]] const QList<Id>& objects() const { return _objects; }
    [[nodiscard]] bool containsObject(const Id& object) const;

    [[nodiscard]] QString className() const override { return QStringLiteral("NSArray"); }
    // "(\n    a,\n    b\n)".
    [[nodiscard]] QString description() const override { return descriptionAtLevel(0); }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override { return std::size_t(_objects.size()); }

private:
    QList<Id> _objects;
};

} // namespace tz
