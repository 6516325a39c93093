#include "app/DiscRecording/MountTable.h"

#include "Carbon/MountInfo.h"

#include <QFile>

#include <sys/sysmacros.h>

namespace DiscRecording {

bool isDeviceMounted(dev_t device)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    // procfs reports no size: read to the end rather than a size-sized buffer.
    if (!table.open(QIODevice::ReadOnly))
        return false;
    return mountTableListsDevice(table.readAll(), device);
}

QString deviceMountPoint(dev_t device)
{
    for (const tz::MountInfoEntry& entry : tz::readMountInfo()) {
        if (entry.major == major(device) && entry.minor == minor(device))
            return entry.mountPoint;
    }
    return QString();
}

bool mountTableListsDevice(const QByteArray& table, dev_t device)
{
    const QByteArray wanted = QByteArray::number(major(device)) + ':' + QByteArray::number(minor(device));
    const QByteArrayView all(table);
    for (qsizetype start = 0; start < all.size();) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        const QByteArrayView line = all.sliced(start, end - start);
        start = end + 1;
        // The third field, between the second and third blanks.
        const qsizetype first = line.indexOf(' ');
        const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
        if (second < 0)
            continue;
        const qsizetype third = line.indexOf(' ', second + 1);
        if (line.sliced(second + 1, (third < 0 ? line.size() : third) - second - 1) == wanted)
            return true;
    }
    return false;
}

} // namespace DiscRecording
