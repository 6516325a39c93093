#include "Carbon/FSVolumes.h"

#include "Carbon/FSRefPrivate.h"
#include "Carbon/MountInfo.h"

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace tz {

namespace {

std::optional<FSVolumeRefNum> mountIdOf(const QString& path)
{
    struct statx info
    {};
    if (::statx(AT_FDCWD, fsref::encoded(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_MNT_ID, &info) != 0
        || (info.stx_mask & STATX_MNT_ID) == 0)
        return std::nullopt;
    return FSVolumeRefNum(info.stx_mnt_id);
}

// The mounts whose mount point leads to them (a later mount on the same folder hides earlier ones).
QList<MountInfoEntry> reachableMounts()
{
    QList<MountInfoEntry> reachable;
    for (const MountInfoEntry& entry : readMountInfo()) {
        const std::optional<FSVolumeRefNum> id = mountIdOf(entry.mountPoint);
        if (id && *id == entry.mountId)
            reachable.append(entry);
    }
    return reachable;
}

// The root of the index-th reachable volume (from 1); -35 past the last one.
OSErr volumeAtIndex(const QList<MountInfoEntry>& mounts, qsizetype index, FSRef* root)
{
    if (index < 1 || index > mounts.size())
        return fsNoSuchVolume;
    return FSPathMakeRef(mounts.at(index - 1).mountPoint, root);
}

} // namespace

OSErr FSGetVRefNum(const FSRef& ref, FSVolumeRefNum* vRefNum)
{
    if (!vRefNum)
        return fsParameterError;
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError)
        return status;
    const std::optional<FSVolumeRefNum> id = mountIdOf(ref.path);
    if (!id)
        return statusOfErrno(errno);
    *vRefNum = *id;
    return fsNoError;
}

OSErr FSGetVInfo(FSVolumeRefNum volume, QString* volumeName, quint64* freeBytes, quint64* totalBytes)
{
    for (const MountInfoEntry& entry : reachableMounts()) {
        if (entry.mountId != volume)
            continue;
        if (freeBytes || totalBytes) {
            struct statvfs sizes
            {};
            if (::statvfs(fsref::encoded(entry.mountPoint).constData(), &sizes) != 0)
                return statusOfErrno(errno);
            if (freeBytes)
                *freeBytes = quint64(sizes.f_bavail) * sizes.f_frsize;
            if (totalBytes)
                *totalBytes = quint64(sizes.f_blocks) * sizes.f_frsize;
        }
        if (volumeName)
            *volumeName = fsref::lastComponent(entry.mountPoint);
        return fsNoError;
    }
    return fsNoSuchVolume;
}

OSErr FSGetMountedVolumes(QList<FSRef>* volumeRefs, qsizetype* count)
{
    if (!volumeRefs || !count)
        return fsParameterError;
    volumeRefs->clear();
    *count = 0;
    const QList<MountInfoEntry> mounts = reachableMounts();
    QList<FSRef> found;
    for (qsizetype index = 1;; ++index) {
        FSRef root;
        const OSErr status = volumeAtIndex(mounts, index, &root);
        if (status == fsNoSuchVolume)
            break;
        if (status != fsNoError)
            return status;
        found.append(root);
    }
    *count = found.size();
    *volumeRefs = std::move(found);
    return fsNoError;
}

} // namespace tz
