// An object-model value that refers to a QObject, so that collections can hold objects that
// answer selectors (the predicate calls of the array additions). The reference is weak: once
// the QObject is destroyed, object() is null.
#pragma once

#include "Foundation/Object.h"

#include <QObject>
#include <QPointer>

namespace tz {

class QObjectValue final : public Object
{
public:
    explicit QObjectValue(QObject* object) : _object(object) {}
    [[nodiscard]] static std::shared_ptr<const QObjectValue> make(QObject* object);

    [[nodiscard]] QObject* object() const { return _object.data(); }

    // The QObject's class name ("nil" once it is gone).
    [[nodiscard]] QString className() const override;
    // "<ClassName: 0x...>".
    [[nodiscard]] QString description() const override;
    // Equal when both refer to the same QObject.
    [[nodiscard]] bool isEqual(const Object& other) const override;
    [[nodiscard]] std::size_t hash() const override;

private:
    QPointer<QObject> _object;
};

} // namespace tz
