#include "Foundation_Additions/NSData/TzNSDataMD5.h"

#include "Foundation_Additions/NSData/md5.h"

#include <cstring>

namespace tz {

namespace {

constexpr qsizetype digestLength = 16;

} // namespace

QByteArray MD5ForData(const QByteArray& data)
{
    QByteArray digest(digestLength, Qt::Uninitialized);
    md5_buffer(data.constData(), static_cast<std::size_t>(data.size()), digest.data());
    return digest;
}

QByteArray dataWithAppendedMD5(const QByteArray& data)
{
    QByteArray result;
    result.reserve(data.size() + digestLength);
    result.append(data);
    result.resize(data.size() + digestLength);
    md5_buffer(data.constData(), static_cast<std::size_t>(data.size()), result.data() + data.size());
    return result;
}

QByteArray dataMinusMD5(const QByteArray& data)
{
    if (data.size() < digestLength)
        return QByteArray(""); // empty, not null
    return data.first(data.size() - digestLength);
}

bool dataChecksWithMD5(const QByteArray& data, const QByteArray& md5)
{
    return md5.size() == digestLength && MD5ForData(data) == md5;
}

bool dataChecksWithMD5(const QByteArray& data)
{
    if (data.size() < digestLength)
        return false;
    const qsizetype bodyLength = data.size() - digestLength;
    unsigned char digest[digestLength];
    md5_buffer(data.constData(), static_cast<std::size_t>(bodyLength), digest);
    return std::memcmp(digest, data.constData() + bodyLength, digestLength) == 0;
}

} // namespace tz
