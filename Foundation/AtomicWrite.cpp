#include "Foundation/AtomicWrite.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

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

bool writeAtomically(const QByteArray& bytes, const QString& path, QString* error)
{
    // Keeps errno for the caller and words it (or QSaveFile's own text) for error.
    const auto failed = [error](const QString& reason, int number) {
        if (error)
            *error = reason.isEmpty() ? QString::fromLocal8Bit(std::strerror(number)) : reason;
        errno = number;
        return false;
    };
    if (path.isEmpty())
        return failed(QStringLiteral("No file name given"), ENOENT);
    QSaveFile file(path);
    // Unbuffered: a write cut short (disk full, file size limit) shows in write()'s count; a
    // buffered one would be flushed by commit(), which does not notice a short write.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString(), errno);
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0) {
            const int number = errno;
            const QString reason = file.errorString();
            file.cancelWriting();
            return failed(reason, number);
        }
        written += n;
    }
    if (::fsync(file.handle()) != 0) {
        const int number = errno;
        file.cancelWriting();
        return failed(QString(), number);
    }
    if (!file.commit())
        return failed(file.errorString(), errno);
    // The rename happened where a symbolic link at path points.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (!syncFolder(QFileInfo(target.isEmpty() ? path : target).absolutePath()))
        return failed(QString(), errno);
    return true;
}

} // namespace tz
