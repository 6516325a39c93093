// Digests of bytes computed by the cryptographic service (cdsa). A null result means the
// service failed or does not know the algorithm; nothing is logged.
#pragma once

#include "Foundation_Additions/NSData/cdsa.h"

#include <QByteArray>

namespace tz {

[[nodiscard]] QByteArray digestWithCDSAType(const QByteArray& data, CSSM_ALGORITHMS algorithm);
// 16 bytes.
[[nodiscard]] QByteArray md5Digest(const QByteArray& data);
// 20 bytes.
[[nodiscard]] QByteArray sha1Digest(const QByteArray& data);
// 32 bytes: a real SHA-256, so callers asking for one get one rather than nil.
[[nodiscard]] QByteArray sha256Digest(const QByteArray& data);

} // namespace tz
