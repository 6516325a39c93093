#include "Foundation/AtomicWrite.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace tz {

namespace {

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

} // namespace

bool writeAtomically(const QByteArray& bytes, const QString& path)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    // Unbuffered: a write cut short (disk full, file size limit) shows in write()'s count; a
    // buffered one would be flushed by commit(), which does not notice a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const int error = errno;
            file.cancelWriting();
            errno = error;
            return false;
        }
        written += n;
    }
    if (::fsync(file.handle()) != 0) {
        const int error = errno;
        file.cancelWriting();
        errno = error;
        return false;
    }
    if (!file.commit())
        return false;
    // The rename happened where a symbolic link at path points.
    const QString target = QFileInfo(path).canonicalFilePath();
    return syncFolder(QFileInfo(target.isEmpty() ? path : target).absolutePath());
}

} // namespace tz
