#include "Foundation_Additions/NSData/TzNSDataDigest.h"

#include "Foundation_Additions/NSData/TzCdsaSession.h"

namespace tz {

QByteArray digestWithCDSAType(const QByteArray& data, CSSM_ALGORITHMS algorithm)
{
    if (data.size() > qsizetype(UINT32_MAX))
        return {};
    const CdsaSession session;
    if (!session)
        return {};
    const CSSM_DATA input = cssmView(data);
    CSSM_DATA digest{0, nullptr};
    if (cdsaDigest(session.handle(), algorithm, &input, &digest) != CSSM_OK)
        return {};
    return adoptBuffer(digest);
}

QByteArray md5Digest(const QByteArray& data)
{
    return digestWithCDSAType(data, CSSM_ALGID_MD5);
}

QByteArray sha1Digest(const QByteArray& data)
{
    return digestWithCDSAType(data, CSSM_ALGID_SHA1);
}

QByteArray sha256Digest(const QByteArray& data)
{
    return digestWithCDSAType(data, CSSM_ALGID_SHA256);
}

} // namespace tz
