// Raw key bytes from a password by the slow derivation (PBKDF2-HMAC-SHA1, 34567 iterations,
// salt "r9#=2Q\nm"), and a chain of keys by repeated AES-256 encryption. Passwords given as
// strings count as their NFD UTF-8 bytes. Failures give null.
#pragma once

#include "Foundation_Additions/NSData/cdsa.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace tz {

// length / 8 bytes; length may be a size selector against the algorithm's row, which is all
// the algorithm changes.
[[nodiscard]] QByteArray slowlyExpandedKeyOfType(const QByteArray& password, CSSM_ALGORITHMS algorithm,
                                                 std::int32_t length);
[[nodiscard]] QByteArray expandedAESKeyOfLength(const QByteArray& password, std::int32_t length);
// Null for a null string.
[[nodiscard]] QByteArray expandedAESKeyOfLengthFromString(std::int32_t length, const QString& password);
[[nodiscard]] QByteArray expandedAES128KeyFromString(const QString& password);
[[nodiscard]] QByteArray expandedAES256KeyFromString(const QString& password);

// k0 = AES256(P, key P), k1 = AES256(P, key k0), ki = AES256(k(i-2), key k(i-1)).
// Empty when any encryption of the chain fails.
[[nodiscard]] QList<QByteArray> expandToKeys(const QByteArray& password, quint32 count);

} // namespace tz
