#include "Foundation_Additions/NSString/TzUUIDString.h"

#include <QUuid>

namespace tz {

QString UUIDString()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace tz
