// An ordered list of objects that its holder may change (queues and stacks); elements are never
// nil. Unlike the immutable kinds it is shared through MutableArrayPtr and changed in place.
#pragma once

#include "Foundation/Object.h"

#include <QList>

namespace tz {

class MutableArray final : public Object
{
public:
    explicit MutableArray(QList<Id> objects = {});
    [[nodiscard]] static std::shared_ptr<MutableArray> make(QList<Id> objects = {});

    [[nodiscard]] qsizetype count() const { return _objects.size(); }
    [[nodiscard]] bool isEmpty() const { return _objects.isEmpty(); }
    [[nodiscard]] const QList<Id>& objects() const { return _objects; }
    // nil when the index is out of range.
    [[nodiscard]] Id objectAtIndex(qsizetype index) const;

    // A nil object is not added.
    void addObject(const Id& object);
    // index is clamped to 0...count; a nil object is not added.
    void insertObjectAtIndex(const Id& object, qsizetype index);
    // Nothing happens for an index out of range.
    void removeObjectAtIndex(qsizetype index);

    [[nodiscard]] QString className() const override { return QStringLiteral("NSMutableArray"); }
    [[nodiscard]] QString description() const override { return descriptionAtLevel(0); }
    [[nodiscard]] QString descriptionAtLevel(int level) const override;
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override { return std::size_t(_objects.size()); }

private:
    QList<Id> _objects;
};

using MutableArrayPtr = std::shared_ptr<MutableArray>;

} // namespace tz
