#include "Foundation/AtomicWrite.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tz {

namespace {

// Closes a descriptor, keeping errno.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : _fd(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }

    [[nodiscard]] int get() const { return _fd; }
    [[nodiscard]] bool valid() const { return _fd >= 0; }
    void reset(int fd = -1)
    {
        if (_fd >= 0) {
            const int error = errno;
            ::close(_fd);
            errno = error;
        }
        _fd = fd;
    }

private:
    int _fd;
};

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The companion's name beside the target: ".name.saving", or a digest of the name where that
// would be longer than a name may be.
QByteArray companionName(const QByteArray& name)
{
    const QByteArray companion = '.' + name + ".saving";
    if (companion.size() <= NAME_MAX)
        return companion;
    return ".saving-" + QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex();
}

// Removes a companion that no live writer holds: one left by a writer that was killed between
// naming it and renaming it. Waits while a live writer holds it. False with errno when a
// companion is there and cannot be removed.
bool removeStaleCompanion(int folder, const QByteArray& companion)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const Descriptor old(::openat(folder, companion.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!old.valid()) {
            if (errno == ENOENT)
                return true;
            // Not a file we could have left (a link, a fifo we may not open): only unlink it.
            return ::unlinkat(folder, companion.constData(), 0) == 0 || errno == ENOENT;
        }
        if (::flock(old.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                return false;
            // A live writer is renaming it; once it lets go, look again.
            (void)::flock(old.get(), LOCK_EX);
            continue;
        }
        struct stat held
        {};
        struct stat named
        {};
        if (::fstat(old.get(), &held) != 0)
            return false;
        if (::fstatat(folder, companion.constData(), &named, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT;
        if (!sameFile(held, named))
            continue; // another writer's, made since we opened ours
        return ::unlinkat(folder, companion.constData(), 0) == 0 || errno == ENOENT;
    }
    errno = EBUSY;
    return false;
}

// Gives the unnamed file behind fd the companion's name.
bool nameUnnamedFile(int fd, int folder, const QByteArray& companion)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::linkat(AT_FDCWD, self.constData(), folder, companion.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST || !removeStaleCompanion(folder, companion))
            return false;
    }
    errno = EBUSY;
    return false;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        written += n;
    }
    return true;
}

} // namespace

bool writeAtomically(const QByteArray& bytes, const QString& path, QString* error)
{
    // Keeps errno for the caller and words it for error.
    const auto failed = [error](int number, const QString& reason = QString()) {
        if (error)
            *error = reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(number)) : reason;
        errno = number;
        return false;
    };
    if (path.isEmpty())
        return failed(ENOENT, QStringLiteral("No file name given"));

    // A symbolic link at path stays a link: the file it points to is replaced.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QFileInfo target(canonical.isEmpty() ? path : canonical);
    const QByteArray name = QFile::encodeName(target.fileName());
    const QByteArray companion = companionName(name);

    struct stat existing
    {};
    const bool exists = ::stat(QFile::encodeName(target.filePath()).constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failed(EISDIR);
    // A read-only file is not replaced behind its owner's back, though its folder would allow it.
    if (exists && ::access(QFile::encodeName(target.filePath()).constData(), W_OK) != 0)
        return failed(errno);

    const Descriptor folder(
        ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return failed(errno);

    // The new contents are written into an unnamed file, so a writer killed before the rename
    // leaves nothing; where the file system has no unnamed files, into the companion itself.
    const mode_t mode = exists ? (existing.st_mode & 07777) : 0666;
    Descriptor file(::openat(folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    bool named = false;
    if (!file.valid()) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return failed(errno);
        if (!removeStaleCompanion(folder.get(), companion))
            return failed(errno);
        file.reset(::openat(folder.get(), companion.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, mode));
        if (!file.valid())
            return failed(errno);
        named = true;
    }
    // Held until the file is renamed or closed: a later writer removes a companion only when no
    // live writer holds it.
    const auto discard = [&](int number) {
        struct stat held
        {};
        struct stat there
        {};
        if (named && ::fstat(file.get(), &held) == 0
            && ::fstatat(folder.get(), companion.constData(), &there, AT_SYMLINK_NOFOLLOW) == 0
            && sameFile(held, there))
            (void)::unlinkat(folder.get(), companion.constData(), 0);
        return failed(number);
    };
    if (::flock(file.get(), LOCK_EX) != 0)
        return discard(errno);
    // The umask has no say over a replaced file's permissions.
    if (exists && ::fchmod(file.get(), mode) != 0)
        return discard(errno);
    if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0)
        return discard(errno);
    if (!named) {
        if (!nameUnnamedFile(file.get(), folder.get(), companion))
            return failed(errno);
        named = true;
    }
    if (::renameat(folder.get(), companion.constData(), folder.get(), name.constData()) != 0)
        return discard(errno);
    // The new name lasts only once the folder is on disk too.
    if (::fsync(folder.get()) != 0)
        return failed(errno);
    return true;
}

} // namespace tz
