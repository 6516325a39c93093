#include "Foundation_Additions/NSFileManager/TzNSFileManagerSetHFSInvisible.h"

#include "Foundation_Additions/NSFileManager/TzNSFileManagerFileIsVisible.h"

#include <QFileInfo>

namespace tz {

namespace {

bool setInvisible(const QString& path, bool hidden)
{
    if (path.isEmpty() || !(QFileInfo::exists(path) || QFileInfo(path).isSymLink()))
        return false;
    const bool stored = setFileInvisibleBit(path, hidden);
    noteFileSystemChanged(path);
    return stored;
}

} // namespace

bool setVisibleForFileAtPath(const QString& path) { return setInvisible(path, false); }

bool setInvisibleForFileAtPath(const QString& path) { return setInvisible(path, true); }

void noteFileSystemChanged(const QString& path) { Q_UNUSED(path); }

} // namespace tz
