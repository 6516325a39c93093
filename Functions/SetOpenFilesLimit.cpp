#include "Functions/SetOpenFilesLimit.h"

#include <limits>

#include <sys/resource.h>

namespace tz {

int SetOpenFilesLimit(qint64 limit)
{
    rlimit current{};
    const int readStatus = ::getrlimit(RLIMIT_NOFILE, &current);
    if (readStatus != 0)
        return readStatus;
    // RLIM_INFINITY is all ones here; read as signed it would look like -1 and be "raised" down.
    const qint64 soft =
        current.rlim_cur == RLIM_INFINITY || current.rlim_cur > rlim_t(std::numeric_limits<qint64>::max())
        ? std::numeric_limits<qint64>::max()
        : qint64(current.rlim_cur);
    if (soft >= limit)
        return readStatus;
    current.rlim_cur = rlim_t(limit);
    return ::setrlimit(RLIMIT_NOFILE, &current);
}

} // namespace tz
