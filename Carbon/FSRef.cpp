#include "Carbon/FSRef.h"

#include "Carbon/FSRefPrivate.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tz {

namespace fsref {

OSErr statOf(const FSRef& ref, struct stat* info)
{
    if (ref.path.isEmpty())
        return fsNoSuchItem;
    if (::lstat(encoded(ref.path).constData(), info) != 0)
        return statusOfErrno(errno);
    if (quint64(info->st_dev) != ref.device || quint64(info->st_ino) != ref.node)
        return fsNoSuchItem;
    return fsNoError;
}

QString childPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

OSErr childRef(const QString& folder, const QString& name, FSRef* ref)
{
    return FSPathMakeRef(childPath(folder, name), ref);
}

QString parentPath(const QString& path)
{
    if (path == u"/")
        return {};
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString lastComponent(const QString& path)
{
    if (path == u"/")
        return path;
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

namespace {

// A descriptor for the attribute ioctls: only regular files and folders are opened.
int openForAttributes(const QString& path, const struct stat& info)
{
    if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
        return -1;
    return ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
}

} // namespace

bool isImmutable(const QString& path, const struct stat& info)
{
    const int fd = openForAttributes(path, info);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool read = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return read && (flags & FS_IMMUTABLE_FL) != 0;
}

OSErr setImmutable(const QString& path, bool immutable)
{
    struct stat info
    {};
    if (::lstat(encoded(path).constData(), &info) != 0)
        return statusOfErrno(errno);
    const int fd = openForAttributes(path, info);
    if (fd < 0)
        return S_ISLNK(info.st_mode) ? fsNoError : statusOfErrno(errno);
    int flags = 0;
    OSErr status = fsNoError;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        status =
            errno == ENOTTY || errno == EOPNOTSUPP ? (immutable ? fsParameterError : fsNoError) : statusOfErrno(errno);
    } else if (((flags & FS_IMMUTABLE_FL) != 0) != immutable) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) != 0)
            status = statusOfErrno(errno);
    }
    ::close(fd);
    return status;
}

} // namespace fsref

namespace {

QString canonical(const QString& path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(fsref::encoded(path).constData(), nullptr),
                                                               &std::free);
    return resolved ? QFile::decodeName(resolved.get()) : QString();
}

// Write permission of this process from the mode bits alone (for read-only mounts, where
// access() answers EROFS before it looks at them).
bool modeAllowsWriting(const struct stat& info)
{
    const uid_t user = ::geteuid();
    if (user == 0)
        return true;
    if (info.st_uid == user)
        return (info.st_mode & S_IWUSR) != 0;
    bool inGroup = info.st_gid == ::getegid();
    if (!inGroup) {
        const int count = ::getgroups(0, nullptr);
        QList<gid_t> groups(qMax(count, 0));
        if (count > 0 && ::getgroups(count, groups.data()) == count)
            inGroup = groups.contains(info.st_gid);
    }
    return (info.st_mode & (inGroup ? S_IWGRP : S_IWOTH)) != 0;
}

bool lacksWritePermission(const QString& path, const struct stat& info)
{
    if (S_ISLNK(info.st_mode))
        return false;
    if (::faccessat(AT_FDCWD, fsref::encoded(path).constData(), W_OK, AT_EACCESS) == 0)
        return false;
    if (errno == EACCES)
        return true;
    return !modeAllowsWriting(info);
}

} // namespace

OSErr FSPathMakeRef(const QString& path, FSRef* ref)
{
    if (!ref)
        return fsParameterError;
    *ref = {};
    if (path.isEmpty())
        return fsNoSuchItem;
    if (path.contains(QChar(0)))
        return fsBadName; // the system would read only up to it
    QString absolute = QDir::isAbsolutePath(path) ? path : fsref::childPath(QDir::currentPath(), path);
    const bool wantsFolder = absolute.size() > 1 && absolute.endsWith(u'/');
    while (absolute.size() > 1 && absolute.endsWith(u'/'))
        absolute.chop(1);

    QString full;
    const QString leaf = fsref::lastComponent(absolute);
    if (leaf == u"/" || leaf == u"." || leaf == u"..") {
        full = canonical(absolute);
    } else {
        const QString folder = canonical(fsref::parentPath(absolute));
        if (!folder.isNull())
            full = fsref::childPath(folder, leaf);
    }
    if (full.isNull())
        return statusOfErrno(errno);

    struct stat info
    {};
    if (::lstat(fsref::encoded(full).constData(), &info) != 0)
        return statusOfErrno(errno);
    if (wantsFolder) {
        struct stat target
        {};
        if (::stat(fsref::encoded(full).constData(), &target) != 0 || !S_ISDIR(target.st_mode))
            return fsNoSuchItem;
    }
    *ref = FSRef{full, quint64(info.st_dev), quint64(info.st_ino)};
    return fsNoError;
}

bool getFSRef(const QString& path, FSRef* ref)
{
    return ref && FSPathMakeRef(path, ref) == fsNoError;
}

bool getFSRef(const QUrl& url, FSRef* ref)
{
    if (!ref)
        return false;
    if (!url.isLocalFile()) {
        *ref = {};
        return false;
    }
    return getFSRef(url.toLocalFile(), ref);
}

QString stringWithFSRef(const FSRef& ref)
{
    if (!FSRefValid(ref) || fsref::encoded(ref.path).size() > 1024)
        return {};
    return ref.path;
}

QUrl URLWithFSRef(const FSRef& ref)
{
    const QString path = stringWithFSRef(ref);
    return path.isNull() ? QUrl() : QUrl::fromLocalFile(path);
}

bool FSRefValid(const FSRef& ref)
{
    struct stat info
    {};
    return fsref::statOf(ref, &info) == fsNoError;
}

OSErr FSGetParentRef(const FSRef& ref, FSRef* parentRef)
{
    if (!parentRef)
        return fsParameterError;
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError) {
        *parentRef = {};
        return status;
    }
    if (ref.path == u"/") {
        *parentRef = {};
        return fsNoError;
    }
    return FSPathMakeRef(fsref::parentPath(ref.path), parentRef);
}

OSErr FSGetFileDirName(const FSRef& ref, QString* name)
{
    if (!name)
        return fsParameterError;
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError)
        return status;
    *name = fsref::lastComponent(ref.path);
    return fsNoError;
}

OSErr FSGetNodeID(const FSRef& ref, quint64* nodeID, bool* isDirectory)
{
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError)
        return status;
    if (nodeID)
        *nodeID = quint64(info.st_ino);
    if (isDirectory)
        *isDirectory = S_ISDIR(info.st_mode);
    return fsNoError;
}

OSErr FSCheckLock(const FSRef& ref)
{
    struct stat info
    {};
    if (const OSErr status = fsref::statOf(ref, &info); status != fsNoError)
        return status;
    if (fsref::isImmutable(ref.path, info) || lacksWritePermission(ref.path, info))
        return fsItemLocked;
    // A link lives on its folder's file system; statvfs would follow it.
    const QString onVolume = S_ISLNK(info.st_mode) ? fsref::parentPath(ref.path) : ref.path;
    struct statvfs volume
    {};
    if (::statvfs(fsref::encoded(onVolume).constData(), &volume) != 0)
        return statusOfErrno(errno);
    return (volume.f_flag & ST_RDONLY) != 0 ? fsVolumeWriteProtected : fsNoError;
}

} // namespace tz
