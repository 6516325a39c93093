#include "Carbon/GetTempBuffer.h"

#include <QFile>

#include <limits>

namespace tz {

namespace {

constexpr qint64 pageSize = 4096;
constexpr qint64 reserve = 32768;

// Bytes the kernel says can be allocated without swapping; unknown counts as plenty.
qint64 availableMemory()
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.startsWith("MemAvailable:"))
                continue;
            bool ok = false;
            const qint64 kibibytes = line.sliced(13).trimmed().split(' ').value(0).toLongLong(&ok);
            if (ok && kibibytes >= 0 && kibibytes < std::numeric_limits<qint64>::max() / 1024)
                return kibibytes * 1024;
        }
    }
    return std::numeric_limits<qint64>::max();
}

qint64 roundedDown(qint64 size)
{
    return size / pageSize * pageSize;
}

} // namespace

TempBuffer GetTempBuffer(qint64 buffReqSize, qint64* actualSize)
{
    return GetTempBuffer(buffReqSize, actualSize, availableMemory());
}

TempBuffer GetTempBuffer(qint64 buffReqSize, qint64* actualSize, qint64 available)
{
    if (!actualSize)
        return {};
    *actualSize = 0;
    qint64 size = qMax(pageSize, roundedDown(buffReqSize));
    TempBuffer buffer;
    if (size <= available)
        buffer.reset(static_cast<char*>(std::malloc(size_t(size))));
    if (!buffer && buffReqSize > pageSize) {
        size = roundedDown(available - reserve);
        if (size <= 0)
            size = pageSize;
        buffer.reset(static_cast<char*>(std::malloc(size_t(size))));
    }
    if (buffer)
        *actualSize = size;
    return buffer;
}

} // namespace tz
