// Building a folder path one component at a time, moving a file that stands in the way aside.
#pragma once

#include <QString>

namespace tz {

// Makes every missing folder of the path ("~" expanded; each prefix resolved through links as
// it is reached). An item in the way that is no folder (a file, a broken link):
//   - without moveConflictsAside: the log line "Could not create directory at %@ because of
//     name-conflict with file" and false;
//   - otherwise it is renamed, in its folder, to "X <date-time> <old name>" (never replacing an
//     item of that name; its AppleDouble companion follows), a notice saying so is logged and
//     written atomically beside it as "<folder path> NOTICE <date-time> .txt" (UTF-8), and the
//     folder is made. The date-time text is filenameLegalDateTime of now.
// False when a move or a folder creation fails; true once the whole path is a folder.
[[nodiscard]] bool ConstructDirectoryAtPath(const QString& path, bool moveConflictsAside);

} // namespace tz
