#include "Foundation_Additions/NSData/TzNSDataAdditions.h"

namespace tz {

QByteArray dataByAppendingData(const QByteArray& data, const QByteArray& other)
{
    return data + other;
}

QByteArray dataByAppendingBytesLength(const QByteArray& data, const void* bytes, qsizetype length)
{
    if (!bytes || length <= 0)
        return QByteArray(data.constData(), data.size());
    QByteArray result;
    result.reserve(data.size() + length);
    result.append(data);
    result.append(static_cast<const char*>(bytes), length);
    return result;
}

} // namespace tz
