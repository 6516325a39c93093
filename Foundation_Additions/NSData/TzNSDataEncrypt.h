// Password encryption of bytes, and the wrapped envelope that records its key size:
//   0 "Wrap" | 4 key size (big-endian: 128, 192, 256 or 768) | 8 7FFFFFFF | 12 7FFFFFFF |
//   16 SHA-1 of the body (20 bytes) | 36 body: the AES cipher text (CBC, PKCS #7, zero IV).
// Size 768 is AES-256 three times with the keys of expandToKeys(password, 3).
// Passwords are tz::Id: Data used as it is, a String as its NFD UTF-8, anything else as its
// description; each key comes from the fast derivation of CSSM_Key. Failures give null data;
// decryption failures log one line, encryption failures none.
#pragma once

#include "Foundation/Object.h"
#include "Foundation_Additions/NSData/cdsa.h"

#include <QByteArray>

namespace tz {

[[nodiscard]] constexpr qsizetype wrapperLength()
{
    return 36;
}
[[nodiscard]] constexpr qsizetype hashOffset()
{
    return 16;
}
[[nodiscard]] constexpr qsizetype hashSize()
{
    return 20;
}

// keySize may be a size selector (-1, 0, 1).
[[nodiscard]] QByteArray encryptedDataUsing(const QByteArray& data, CSSM_ALGORITHMS algorithm, std::int32_t keySize,
                                            const Id& rawKey);
// Data beginning with "Wrap" (36 bytes or more) is read as a wrapped envelope instead, whatever
// algorithm and keySize say, after the line "Somebody sent ... a wrapped data!".
[[nodiscard]] QByteArray decryptedDataUsing(const QByteArray& data, CSSM_ALGORITHMS algorithm, std::int32_t keySize,
                                            const Id& rawKey);

// keySize: 128, 192, 256, 768 or a size selector (giving 128, 192, 256). Other sizes give
// null: the reader would refuse the envelope, so none is written. 768 needs a Data password.
[[nodiscard]] QByteArray wrappedAESEncryptedDataWithPass(const QByteArray& data, const Id& pass, std::int32_t keySize);
// The payload of a wrapped envelope; null for anything wrapperKeySize refuses or a wrong password.
[[nodiscard]] QByteArray decryptedWrappedAESDataWithKey(const QByteArray& data, const Id& key);
// The key size of a wrapped envelope with at least one body byte (a size field of 0xFFFFFFFF,
// 0 or 1 counts as a selector: 128, 192, 256); 0 when it is not one. The digest and fill
// words are not examined.
[[nodiscard]] quint32 wrapperKeySize(const QByteArray& data);

[[nodiscard]] QByteArray AES128EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES192EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES256EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES128DecryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES192DecryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES256DecryptedDataWithKey(const QByteArray& data, const Id& key);
// Blowfish has no cipher context in the layer (its mode and padding were never fixed, so no
// stored data depends on one): plain cipher text logs the decrypt message and gives null;
// a wrapped envelope is still read as one.
[[nodiscard]] QByteArray blowfish256DecryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray wrappedAES128EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray wrappedAES192EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray wrappedAES256EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray wrappedAES768EncryptedDataWithKey(const QByteArray& data, const Id& key);
// AES-256 with k0, k1, k2 of expandToKeys(key, 3), and back with k2, k1, k0; key must be Data.
[[nodiscard]] QByteArray AES768EncryptedDataWithKey(const QByteArray& data, const Id& key);
[[nodiscard]] QByteArray AES768DecryptedDataWithKey(const QByteArray& data, const Id& key);

} // namespace tz
