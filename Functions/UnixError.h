// The system's text for an error number.
#pragma once

#include <QString>

namespace tz {

class UnixError
{
public:
    // strerror's text as UTF-8, e.g. "No such file or directory" for ENOENT.
    [[nodiscard]] static QString forErrNum(int errorNumber);
};

} // namespace tz
