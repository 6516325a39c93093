#include "Carbon/FSContainers.h"

#include "Carbon/FSRefPrivate.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <QSet>

#include <algorithm>
#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tz {

namespace {

// Closes a descriptor when it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd) : _fd(fd) {}
    ~Descriptor()
    {
        if (_fd >= 0)
            ::close(_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return _fd; }

private:
    int _fd;
};

// The names in an open folder, byte order; the errno status of a failed read.
OSErr namesIn(int folderFd, QList<QByteArray>* names)
{
    const int copy = ::dup(folderFd);
    if (copy < 0)
        return statusOfErrno(errno);
    DIR* dir = ::fdopendir(copy);
    if (!dir) {
        const int error = errno;
        ::close(copy);
        return statusOfErrno(error);
    }
    ::rewinddir(dir);
    names->clear();
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names->append(name);
        errno = 0;
    }
    const int error = errno;
    ::closedir(dir);
    std::sort(names->begin(), names->end());
    return statusOfErrno(error);
}

// A companion whose data file is in the same folder.
bool isCompanionOfSibling(const QByteArray& name, const QList<QByteArray>& sortedNames)
{
    return name.size() > 2 && name.startsWith("._")
        && std::binary_search(sortedNames.cbegin(), sortedNames.cend(), name.sliced(2));
}

// Clears the immutable attribute (and gives the owner write permission to a folder) of the item
// open at `fd`.
OSErr unlock(int fd, const struct stat& info)
{
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL) != 0) {
        flags &= ~FS_IMMUTABLE_FL;
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            return statusOfErrno(errno);
    }
    if (S_ISDIR(info.st_mode) && (info.st_mode & S_IRWXU) != S_IRWXU
        && ::fchmod(fd, (info.st_mode & 07777) | S_IRWXU) != 0)
        return statusOfErrno(errno);
    return fsNoError;
}

OSErr deleteContentsOf(int folderFd, dev_t device)
{
    QList<QByteArray> names;
    if (const OSErr status = namesIn(folderFd, &names); status != fsNoError)
        return status;
    for (const QByteArray& name : names) {
        struct stat info
        {};
        if (::fstatat(folderFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                continue; // gone meanwhile
            return statusOfErrno(errno);
        }
        if (S_ISDIR(info.st_mode)) {
            if (info.st_dev != device)
                return fsDifferentVolumes;
            const Descriptor sub(::openat(folderFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (sub.get() < 0)
                return statusOfErrno(errno);
            struct stat opened
            {};
            if (::fstat(sub.get(), &opened) != 0 || opened.st_ino != info.st_ino || opened.st_dev != info.st_dev)
                return fsItemBusy; // replaced between the look and the open
            if (const OSErr status = unlock(sub.get(), opened); status != fsNoError)
                return status;
            if (const OSErr status = deleteContentsOf(sub.get(), device); status != fsNoError)
                return status;
            if (::unlinkat(folderFd, name.constData(), AT_REMOVEDIR) != 0)
                return statusOfErrno(errno);
            continue;
        }
        if (S_ISREG(info.st_mode)) {
            const Descriptor file(
                ::openat(folderFd, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
            if (file.get() >= 0) {
                if (const OSErr status = unlock(file.get(), info); status != fsNoError)
                    return status;
            }
        }
        if (::unlinkat(folderFd, name.constData(), 0) != 0 && errno != ENOENT)
            return statusOfErrno(errno);
    }
    return fsNoError;
}

OSErr openFolder(const FSRef& container, struct stat* info, int* fd)
{
    if (const OSErr status = fsref::statOf(container, info); status != fsNoError)
        return status;
    if (!S_ISDIR(info->st_mode))
        return fsNotAFolder;
    *fd = ::open(fsref::encoded(container.path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (*fd < 0)
        return statusOfErrno(errno);
    struct stat opened
    {};
    if (::fstat(*fd, &opened) != 0 || opened.st_ino != info->st_ino || opened.st_dev != info->st_dev) {
        ::close(*fd);
        *fd = -1;
        return fsNoSuchItem;
    }
    return fsNoError;
}

// The items of a folder known by its path, companions of siblings left out.
OSErr itemsOf(const QString& folder, QList<FSRef>* refs)
{
    const Descriptor fd(::open(fsref::encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return statusOfErrno(errno);
    QList<QByteArray> names;
    if (const OSErr status = namesIn(fd.get(), &names); status != fsNoError)
        return status;
    refs->clear();
    for (const QByteArray& name : names) {
        if (isCompanionOfSibling(name, names))
            continue;
        FSRef ref;
        const OSErr status = fsref::childRef(folder, QFile::decodeName(name), &ref);
        if (status == fsNoSuchItem)
            continue; // gone meanwhile
        if (status != fsNoError)
            return status;
        refs->append(ref);
    }
    return fsNoError;
}

struct Walk
{
    quint32 maxLevels;
    quint32 whichInfo;
    bool wantName;
    const IterateContainerFilter& filter;
    QSet<QPair<quint64, quint64>> entered; // folders on the current path, against mount loops
};

// True when the filter stopped the walk.
bool walk(Walk& state, const FSRef& folder, quint32 depth, OSErr* status)
{
    QList<FSRef> items;
    const OSErr listed = itemsOf(folder.path, &items);
    if (listed != fsNoError) {
        if (listed != fsAccessDenied && listed != fsNoSuchItem)
            *status = listed;
        return false;
    }
    state.entered.insert({folder.device, folder.node});
    for (const FSRef& item : items) {
        FSCatalogInfo info;
        const OSErr read = FSGetCatalogInfo(item, state.whichInfo | fsCatInfoNodeFlags, &info);
        if (read == fsNoSuchItem)
            continue;
        if (read != fsNoError) {
            *status = read;
            break;
        }
        const QString name = fsref::lastComponent(item.path);
        if (state.filter(item, info, depth, state.wantName ? &name : nullptr)) {
            state.entered.remove({folder.device, folder.node});
            return true;
        }
        const bool isFolder = (info.nodeFlags & fsNodeIsDirectoryMask) != 0;
        if (isFolder && (state.maxLevels == 0 || depth < state.maxLevels)
            && !state.entered.contains({item.device, item.node})) {
            if (walk(state, item, depth + 1, status)) {
                state.entered.remove({folder.device, folder.node});
                return true;
            }
            if (*status != fsNoError)
                break;
        }
    }
    state.entered.remove({folder.device, folder.node});
    return false;
}

struct FolderStamp
{
    struct statx_timestamp modified
    {};
    struct statx_timestamp changed
    {};
};

bool stampOf(const QString& path, FolderStamp* stamp)
{
    struct statx info
    {};
    if (::statx(AT_FDCWD, fsref::encoded(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_MTIME | STATX_CTIME, &info) != 0)
        return false;
    stamp->modified = info.stx_mtime;
    stamp->changed = info.stx_ctime;
    return true;
}

bool sameStamp(const FolderStamp& a, const FolderStamp& b)
{
    return a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec
        && a.changed.tv_sec == b.changed.tv_sec && a.changed.tv_nsec == b.changed.tv_nsec;
}

} // namespace

OSErr FSDeleteContainerContents(const FSRef& container)
{
    struct stat info
    {};
    int raw = -1;
    if (const OSErr status = openFolder(container, &info, &raw); status != fsNoError)
        return status;
    const Descriptor fd(raw);
    return deleteContentsOf(fd.get(), info.st_dev);
}

OSErr FSDeleteContainer(const FSRef& container)
{
    struct stat info
    {};
    int raw = -1;
    if (const OSErr status = openFolder(container, &info, &raw); status != fsNoError)
        return status;
    {
        const Descriptor fd(raw);
        if (const OSErr status = unlock(fd.get(), info); status != fsNoError)
            return status;
        if (const OSErr status = deleteContentsOf(fd.get(), info.st_dev); status != fsNoError)
            return status;
    }
    if (::rmdir(fsref::encoded(container.path).constData()) != 0)
        return statusOfErrno(errno);
    return removeAppleDoubleCompanion(container.path) ? fsNoError : fsIoError;
}

OSErr FSIterateContainer(const FSRef& container, quint32 maxLevels, quint32 whichInfo, bool wantName,
                         const IterateContainerFilter& filter)
{
    if (!filter)
        return fsParameterError;
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(container, &info); status != fsNoError)
        return status;
    if (!S_ISDIR(info.st_mode))
        return fsNotAFolder;
    Walk state{maxLevels, whichInfo, wantName, filter, {}};
    OSErr status = fsNoError;
    (void)walk(state, container, 1, &status);
    return status;
}

OSErr FSGetDirectoryItems(const FSRef& container, QList<FSRef>* refs, qsizetype* count, bool* containerChanged)
{
    if (!refs || !count)
        return fsParameterError;
    refs->clear();
    *count = 0;
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(container, &info); status != fsNoError)
        return status;
    if (!S_ISDIR(info.st_mode))
        return fsNotAFolder;
    FolderStamp before;
    FolderStamp after;
    if (!stampOf(container.path, &before))
        return statusOfErrno(errno);
    QList<FSRef> items;
    if (const OSErr status = itemsOf(container.path, &items); status != fsNoError)
        return status;
    if (containerChanged)
        *containerChanged = !stampOf(container.path, &after) || !sameStamp(before, after) || !FSRefValid(container);
    *count = items.size();
    *refs = std::move(items);
    return fsNoError;
}

} // namespace tz
