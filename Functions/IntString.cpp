#include "Functions/IntString.h"

namespace tz {

QString IntString(int value)
{
    return QString::number(value);
}

} // namespace tz
