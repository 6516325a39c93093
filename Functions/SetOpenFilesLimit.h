// Raising the process's limit of open files.
#pragma once

#include <QtGlobal>

namespace tz {

// Raises the soft limit of open files to limit when it is below it (signed comparison; an
// unlimited soft value counts as above every limit), keeping the hard limit. Returns the
// status of getrlimit when nothing changes, else that of setrlimit: 0 on success, -1 on
// failure (a limit above the hard limit fails and changes nothing). Never lowers the limit.
[[nodiscard]] int SetOpenFilesLimit(qint64 limit);

} // namespace tz
