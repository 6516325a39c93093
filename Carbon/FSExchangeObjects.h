// Exchanging the contents of two files. Each name keeps its catalogue information (permissions,
// access date, Finder information); the contents go across with their content-modification dates
// and resource forks. Natively one renameat2(RENAME_EXCHANGE); where the file system cannot,
// through free names, moves and catalogue writes, each step undone when a later one fails.
#pragma once

#include "Carbon/FSRef.h"

namespace tz {

// -50 without both out-references, -1302 when either item is a folder, -1303 on different
// volumes. On success `newSource` names the source's contents, now at the destination's path,
// and `newDestination` the destination's contents, now at the source's path; on failure both
// are copies of the inputs and nothing has changed as far as the undo steps could restore it.
[[nodiscard]] OSErr FSExchangeObjectsCompat(const FSRef& sourceRef, const FSRef& destRef, FSRef* newSourceRef,
                                            FSRef* newDestRef);

// For tests: skip the native exchange, and make step `failAtStep` of the renaming path (1 and 2
// the renames to free names, 3 and 4 the moves, 5 and 6 the catalogue writes, 7 and 8 the final
// renames) answer `failStatus` without doing it. 0 fails no step.
struct ExchangeTestHooks
{
    bool skipNative = false;
    int failAtStep = 0;
    OSErr failStatus = fsIoError;
};
void setExchangeTestHooks(const ExchangeTestHooks& hooks);

} // namespace tz
