#include "app/DiscRecording/MountTable.h"

#include <QFile>

#include <sys/sysmacros.h>

namespace DiscRecording {

bool isDeviceMounted(dev_t device)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QByteArray wanted = QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    // Each line: mount id, parent id, major:minor, root, mount point, ...
    while (!table.atEnd()) {
        const QList<QByteArray> fields = table.readLine().split(' ');
        if (fields.size() > 2 && fields.at(2) == wanted)
            return true;
    }
    return false;
}

} // namespace DiscRecording
