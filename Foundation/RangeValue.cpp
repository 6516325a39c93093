#include "Foundation/RangeValue.h"

#include <QHashFunctions>

namespace tz {

std::shared_ptr<const RangeValue> RangeValue::make(Range range)
{
    return std::make_shared<const RangeValue>(range);
}

QString RangeValue::description() const
{
    return QStringLiteral("NSRange: {%1, %2}").arg(_range.location).arg(_range.length);
}

bool RangeValue::isEqual(const Object& other) const
{
    const auto* r = dynamic_cast<const RangeValue*>(&other);
    return r && r->_range == _range;
}

std::size_t RangeValue::hash() const
{
    return qHashMulti(0, _range.location, _range.length);
}

} // namespace tz
