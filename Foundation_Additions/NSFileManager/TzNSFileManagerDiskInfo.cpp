#include "Foundation_Additions/NSFileManager/TzNSFileManagerDiskInfo.h"

#include "Carbon/MountInfo.h"
#include "Foundation_Additions/NSString/PathRules.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace tz {

bool deviceMountPointFileSystemForFilePath(QString* device, QString* mountPoint, QString* fileSystem,
                                           const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path::standardized(path));
    struct statfs volume
    {};
    if (encoded.isEmpty() || ::statfs(encoded.constData(), &volume) != 0)
        return false;
    // statfs names only the file system's kind; the mount ID leads to the mount table's line.
    struct statx item
    {};
    if (::statx(AT_FDCWD, encoded.constData(), 0, STATX_MNT_ID, &item) != 0 || (item.stx_mask & STATX_MNT_ID) == 0)
        return false;
    for (const MountInfoEntry& entry : readMountInfo()) {
        if (quint64(entry.mountId) != item.stx_mnt_id)
            continue;
        if (mountPoint)
            *mountPoint = entry.mountPoint;
        if (device)
            *device = entry.source;
        if (fileSystem)
            *fileSystem = entry.fileSystemType;
        return true;
    }
    return false;
}

} // namespace tz
