#include "Functions/UnixError.h"

#include <cstring>

namespace tz {

QString UnixError::forErrNum(int errorNumber)
{
    char buffer[256] = {};
    // GNU strerror_r: returns the text, which may or may not be the buffer.
    return QString::fromUtf8(strerror_r(errorNumber, buffer, sizeof buffer));
}

} // namespace tz
