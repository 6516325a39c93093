#include "Foundation/QObjectValue.h"

#include "Foundation/Selector.h"

#include <functional>

namespace tz {

std::shared_ptr<const QObjectValue> QObjectValue::make(QObject* object)
{
    return std::make_shared<const QObjectValue>(object);
}

QString QObjectValue::className() const
{
    return classNameOf(_object.data());
}

QString QObjectValue::description() const
{
    return QStringLiteral("<%1: 0x%2>").arg(className()).arg(QString::number(quintptr(_object.data()), 16));
}

bool QObjectValue::isEqual(const Object& other) const
{
    const auto* o = dynamic_cast<const QObjectValue*>(&other);
    return o && o->_object.data() == _object.data();
}

std::size_t QObjectValue::hash() const
{
    return std::hash<const void*>{}(_object.data());
}

} // namespace tz
