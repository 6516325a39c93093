#include "app/DiscRecording/CdromIoctl.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace DiscRecording {

int cdromIoctl(const QString& node, unsigned long request, unsigned long arg)
{
    const QByteArray path = QFile::encodeName(node);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    int result = ::ioctl(fd, request, arg);
    if (result < 0)
        result = -errno;
    ::close(fd);
    return result;
}

} // namespace DiscRecording
