#include "Carbon/FSCatalogInfo.h"

#include "Carbon/FSRefPrivate.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tz {

namespace {

constexpr qsizetype finderHalf = 16;

FSDate dateOf(const struct statx_timestamp& t)
{
    return FSDate{t.tv_sec, t.tv_nsec};
}

quint64 roundedUp(quint64 size, quint64 block)
{
    return block == 0 ? size : (size + block - 1) / block * block;
}

OSErr readFinderHalves(const QString& path, QByteArray* info32)
{
    switch (readFinderInfo(path, info32)) {
    case AppleDoubleStatus::Absent:
    case AppleDoubleStatus::Ok: return fsNoError;
    case AppleDoubleStatus::Malformed:
    case AppleDoubleStatus::IoError: break;
    }
    return fsIoError;
}

// Items as the folder listing counts them: a companion beside its data file is part of that item.
quint32 itemCount(const QString& folder)
{
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QSet<QString> all(names.cbegin(), names.cend());
    return quint32(std::count_if(names.cbegin(), names.cend(), [&all](const QString& name) {
        return !(name.size() > 2 && name.startsWith(u"._") && all.contains(name.sliced(2)));
    }));
}

} // namespace

OSErr FSGetCatalogInfo(const FSRef& ref, quint32 whichInfo, FSCatalogInfo* info)
{
    if (!info)
        return fsParameterError;
    struct stat plain
    {};
    if (const OSErr status = fsref::statOf(ref, &plain); status != fsNoError)
        return status;
    struct statx x
    {};
    if (::statx(AT_FDCWD, fsref::encoded(ref.path).constData(), AT_SYMLINK_NOFOLLOW,
                STATX_BASIC_STATS | STATX_BTIME | STATX_MNT_ID, &x)
        != 0)
        return statusOfErrno(errno);
    const bool folder = S_ISDIR(x.stx_mode);

    if (whichInfo & fsCatInfoNodeFlags)
        info->nodeFlags = quint16((folder ? fsNodeIsDirectoryMask : 0)
                                  | (fsref::isImmutable(ref.path, plain) ? fsNodeLockedMask : 0));
    if (whichInfo & fsCatInfoVolume)
        info->volume = (x.stx_mask & STATX_MNT_ID) ? qint32(x.stx_mnt_id) : 0;
    if (whichInfo & fsCatInfoParentDirID) {
        struct stat parent
        {};
        const QString parentPath = fsref::parentPath(ref.path);
        info->parentDirID = !parentPath.isEmpty() && ::lstat(fsref::encoded(parentPath).constData(), &parent) == 0
            ? quint64(parent.st_ino)
            : 0;
    }
    if (whichInfo & fsCatInfoNodeID)
        info->nodeID = x.stx_ino;
    if (whichInfo & fsCatInfoCreateDate)
        info->createDate = (x.stx_mask & STATX_BTIME) ? dateOf(x.stx_btime) : FSDate{};
    if (whichInfo & fsCatInfoContentMod)
        info->contentModDate = dateOf(x.stx_mtime);
    if (whichInfo & fsCatInfoAttrMod)
        info->attributeModDate = dateOf(x.stx_ctime);
    if (whichInfo & fsCatInfoAccessDate)
        info->accessDate = dateOf(x.stx_atime);
    if (whichInfo & fsCatInfoBackupDate)
        info->backupDate = {};
    if (whichInfo & fsCatInfoPermissions) {
        info->userID = x.stx_uid;
        info->groupID = x.stx_gid;
        info->mode = x.stx_mode;
    }
    if (whichInfo & (fsCatInfoFinderInfo | fsCatInfoFinderXInfo)) {
        QByteArray info32;
        if (const OSErr status = readFinderHalves(ref.path, &info32); status != fsNoError)
            return status;
        if (whichInfo & fsCatInfoFinderInfo)
            info->finderInfo = info32.first(finderHalf);
        if (whichInfo & fsCatInfoFinderXInfo)
            info->extFinderInfo = info32.sliced(finderHalf);
    }
    if (whichInfo & fsCatInfoValence)
        info->valence = folder ? itemCount(ref.path) : 0;
    if (whichInfo & fsCatInfoDataSizes) {
        info->dataLogicalSize = folder ? 0 : x.stx_size;
        info->dataPhysicalSize = folder ? 0 : x.stx_blocks * 512;
    }
    if (whichInfo & fsCatInfoRsrcSizes) {
        const qint64 size = folder ? 0 : resourceForkSize(ref.path);
        if (size < 0)
            return fsIoError;
        info->rsrcLogicalSize = quint64(size);
        info->rsrcPhysicalSize = roundedUp(quint64(size), x.stx_blksize);
    }
    return fsNoError;
}

OSErr FSSetCatalogInfo(const FSRef& ref, quint32 whichInfo, const FSCatalogInfo& info)
{
    struct stat current
    {};
    if (const OSErr status = fsref::statOf(ref, &current); status != fsNoError)
        return status;
    const QByteArray path = fsref::encoded(ref.path);
    const bool link = S_ISLNK(current.st_mode);

    if (whichInfo & fsCatInfoPermissions) {
        if ((current.st_uid != info.userID || current.st_gid != info.groupID)
            && ::lchown(path.constData(), info.userID, info.groupID) != 0)
            return statusOfErrno(errno);
        // A link's own mode cannot be changed; chmod would change its target.
        if (!link && (current.st_mode & 07777) != (info.mode & 07777)
            && ::chmod(path.constData(), info.mode & 07777) != 0)
            return statusOfErrno(errno);
    }
    if (whichInfo & (fsCatInfoAccessDate | fsCatInfoContentMod)) {
        struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
        if (whichInfo & fsCatInfoAccessDate)
            times[0] = {time_t(info.accessDate.seconds), long(info.accessDate.nanoseconds)};
        if (whichInfo & fsCatInfoContentMod)
            times[1] = {time_t(info.contentModDate.seconds), long(info.contentModDate.nanoseconds)};
        if (::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) != 0)
            return statusOfErrno(errno);
    }
    if (whichInfo & (fsCatInfoFinderInfo | fsCatInfoFinderXInfo)) {
        QByteArray info32;
        if (const OSErr status = readFinderHalves(ref.path, &info32); status != fsNoError)
            return status;
        const QByteArray before = info32;
        if (whichInfo & fsCatInfoFinderInfo) {
            if (info.finderInfo.size() != finderHalf)
                return fsParameterError;
            info32.replace(0, finderHalf, info.finderInfo);
        }
        if (whichInfo & fsCatInfoFinderXInfo) {
            if (info.extFinderInfo.size() != finderHalf)
                return fsParameterError;
            info32.replace(finderHalf, finderHalf, info.extFinderInfo);
        }
        if (info32 != before && !writeFinderInfo(ref.path, info32))
            return fsIoError;
    }
    return fsNoError;
}

OSErr FSCopyFileMgrAttributes(const FSRef& source, const FSRef& destination, bool copyLockBit)
{
    FSCatalogInfo info;
    if (const OSErr status = FSGetCatalogInfo(source, fsCatInfoSettableInfo, &info); status != fsNoError)
        return status;
    constexpr quint16 hasBeenInited = 0x0100;
    const quint16 flags =
        quint16((quint8(info.finderInfo.at(8)) << 8) | quint8(info.finderInfo.at(9))) & ~hasBeenInited;
    info.finderInfo[8] = char(flags >> 8);
    info.finderInfo[9] = char(flags & 0xFF);
    if (const OSErr status = FSSetCatalogInfo(destination, fsCatInfoSettableInfo, info); status != fsNoError)
        return status;
    if (copyLockBit && (info.nodeFlags & fsNodeLockedMask))
        return fsref::setImmutable(destination.path, true);
    return fsNoError;
}

} // namespace tz
