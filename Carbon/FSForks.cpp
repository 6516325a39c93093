#include "Carbon/FSForks.h"

#include "Carbon/FSCatalogInfo.h"
#include "Carbon/FSRefPrivate.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tz {

namespace {

constexpr qsizetype copyBlock = 4096;

// Status of a failed read or write of an open fork: a closed or unknown descriptor is -51.
OSErr forkStatus(int errorNumber)
{
    return errorNumber == EBADF ? OSErr(-51) : statusOfErrno(errorNumber);
}

bool writeAll(int fd, const char* data, qsizetype size, int* errorNumber)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            *errorNumber = errno;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

} // namespace

OSErr FSGetForkSizes(const FSRef& ref, quint64* dataLogicalSize, quint64* rsrcLogicalSize)
{
    FSCatalogInfo info;
    const OSErr status = FSGetCatalogInfo(ref, fsCatInfoNodeFlags | fsCatInfoDataSizes | fsCatInfoRsrcSizes, &info);
    if (status != fsNoError)
        return status;
    if (info.nodeFlags & fsNodeIsDirectoryMask)
        return fsIsAFolder;
    if (dataLogicalSize)
        *dataLogicalSize = info.dataLogicalSize;
    if (rsrcLogicalSize)
        *rsrcLogicalSize = info.rsrcLogicalSize;
    return fsNoError;
}

OSErr FSGetTotalForkSizes(const FSRef& ref, quint64* totalLogicalSize, quint64* totalPhysicalSize, quint32* forkCount)
{
    FSCatalogInfo info;
    const OSErr status = FSGetCatalogInfo(ref, fsCatInfoNodeFlags | fsCatInfoDataSizes | fsCatInfoRsrcSizes, &info);
    if (status != fsNoError)
        return status;
    const bool folder = (info.nodeFlags & fsNodeIsDirectoryMask) != 0;
    AppleDouble companion;
    const bool hasResourceFork = !folder && readAppleDouble(ref.path, &companion) == AppleDoubleStatus::Ok
        && !companion.entry(appleDoubleResourceForkEntry).isNull();
    if (totalLogicalSize)
        *totalLogicalSize = info.dataLogicalSize + info.rsrcLogicalSize;
    if (totalPhysicalSize)
        *totalPhysicalSize = info.dataPhysicalSize + info.rsrcPhysicalSize;
    if (forkCount)
        *forkCount = folder ? 0 : (hasResourceFork ? 2 : 1);
    return fsNoError;
}

OSErr FSGetFinderInfo(const FSRef& ref, QByteArray* info, QByteArray* extendedInfo, bool* isDirectory)
{
    FSCatalogInfo catalog;
    quint32 which = fsCatInfoNodeFlags;
    if (info)
        which |= fsCatInfoFinderInfo;
    if (extendedInfo)
        which |= fsCatInfoFinderXInfo;
    if (const OSErr status = FSGetCatalogInfo(ref, which, &catalog); status != fsNoError)
        return status;
    if (info)
        *info = catalog.finderInfo;
    if (extendedInfo)
        *extendedInfo = catalog.extFinderInfo;
    if (isDirectory)
        *isDirectory = (catalog.nodeFlags & fsNodeIsDirectoryMask) != 0;
    return fsNoError;
}

OSErr FSSetFinderInfo(const FSRef& ref, const QByteArray& info, const QByteArray& extendedInfo)
{
    FSCatalogInfo catalog;
    quint32 which = 0;
    if (!info.isNull()) {
        which |= fsCatInfoFinderInfo;
        catalog.finderInfo = info;
    }
    if (!extendedInfo.isNull()) {
        which |= fsCatInfoFinderXInfo;
        catalog.extFinderInfo = extendedInfo;
    }
    if ((!info.isNull() && info.size() != 16) || (!extendedInfo.isNull() && extendedInfo.size() != 16))
        return fsParameterError;
    return FSSetCatalogInfo(ref, which, catalog);
}

OSErr FSCopyFork(int sourceRefNum, int destRefNum, std::span<char> copyBuffer)
{
    if (copyBuffer.data() == nullptr || copyBuffer.empty())
        return fsParameterError;
    struct stat source
    {};
    if (::fstat(sourceRefNum, &source) != 0)
        return forkStatus(errno);
    if (::ftruncate(destRefNum, source.st_size) != 0)
        return forkStatus(errno);
    if (::lseek(sourceRefNum, 0, SEEK_SET) < 0 || ::lseek(destRefNum, 0, SEEK_SET) < 0)
        return forkStatus(errno);
    const qsizetype size = qsizetype(copyBuffer.size());
    const qsizetype chunk = size >= copyBlock ? size / copyBlock * copyBlock : size;
    (void)::posix_fadvise(sourceRefNum, 0, 0, POSIX_FADV_SEQUENTIAL | POSIX_FADV_NOREUSE);

    off_t copied = 0;
    for (;;) {
        const ssize_t got = ::read(sourceRefNum, copyBuffer.data(), size_t(chunk));
        if (got == 0)
            break; // end of file: the normal end
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return forkStatus(errno);
        }
        int error = 0;
        if (!writeAll(destRefNum, copyBuffer.data(), got, &error))
            return forkStatus(error);
        // Drop what was copied from the page cache once it is on its way to disk.
        (void)::posix_fadvise(sourceRefNum, copied, got, POSIX_FADV_DONTNEED);
        copied += got;
    }
    return fsNoError;
}

OSErr FileRefNumGetFSRef(int forkRefNum, FSRef* ref)
{
    if (!ref)
        return fsParameterError;
    *ref = {};
    struct stat open
    {};
    if (::fstat(forkRefNum, &open) != 0)
        return forkStatus(errno);
    char target[4096];
    const QByteArray link = "/proc/self/fd/" + QByteArray::number(forkRefNum);
    const ssize_t length = ::readlink(link.constData(), target, sizeof target);
    if (length <= 0 || size_t(length) == sizeof target || target[0] != '/')
        return fsNoSuchItem; // removed, too long, or no path (a pipe or socket)
    FSRef found;
    if (FSPathMakeRef(QFile::decodeName(QByteArray(target, length)), &found) != fsNoError
        || found.device != quint64(open.st_dev) || found.node != quint64(open.st_ino))
        return fsNoSuchItem;
    *ref = found;
    return fsNoError;
}

} // namespace tz
