// Makes a folder refuse new entries for as long as the object lives, also for root: the
// immutable attribute (FS_IOC_SETFLAGS) when running as root, the permission bits otherwise.
#pragma once

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

class LockedFolder
{
public:
    explicit LockedFolder(const QString& path) : _path(path)
    {
        if (::geteuid() != 0) {
            _locked = QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        _locked = setImmutable(true);
    }
    ~LockedFolder()
    {
        if (!_locked)
            return;
        if (::geteuid() != 0)
            QFile::setPermissions(_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            setImmutable(false);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;

    // False with the reason in error() when the file system cannot lock the folder.
    [[nodiscard]] bool isLocked() const { return _locked; }
    [[nodiscard]] QString error() const { return _error; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(QFile::encodeName(_path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        int flags = 0;
        const bool ok = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0
            && (flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL),
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
        if (!ok)
            _error = QString::fromLocal8Bit(std::strerror(errno));
        if (fd >= 0)
            ::close(fd);
        return ok;
    }

    QString _path;
    QString _error;
    bool _locked = false;
};
