#include "Foundation_Additions/NSData/TzNSDataEncrypt.h"

#include "Foundation/Data.h"
#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSData/CSSM_Key.h"
#include "Foundation_Additions/NSData/TzCdsaSession.h"
#include "Foundation_Additions/NSData/TzNSDataDigest.h"
#include "Foundation_Additions/NSData/TzNSDataKeyExpansion.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>

CSSM_RETURN cdsaDeriveKeySlowly(CSSM_CSP_HANDLE cspHandle, const void* rawKey, std::size_t rawKeyLen,
                                CSSM_ALGORITHMS keyAlg, std::uint32_t keySizeInBits, CSSM_KEY* key,
                                std::uint32_t iterationCount)
{
    static const unsigned char slowSalt[8] = {'r', '9', '#', '=', '2', 'Q', '\n', 'm'};
    if (const CSSM_RETURN status = cdsaCheckDerivation(cspHandle, keySizeInBits); status != CSSM_OK) {
        TZ_LOG_LINE("cdsaDeriveKeySlowly",
                    "The data could not be decrypted. The Security Framework returned the error message \"%@\" when "
                    "deriving the key",
                    CSSMErrorMessage(status));
        if (key)
            std::memset(key, 0, sizeof *key);
        return status;
    }
    return cdsaDeriveKeyWithSalt(cspHandle, rawKey, rawKeyLen, keyAlg, keySizeInBits, key, slowSalt, sizeof slowSalt,
                                 std::max<std::uint32_t>(iterationCount, 1000));
}

namespace tz {

namespace {

constexpr quint32 magic = 0x57726170; // "Wrap"
constexpr quint32 fill = 0x7FFFFFFF;
constexpr std::array<quint32, 4> acceptedSizes = {128, 192, 256, 768};

bool isAcceptedSize(quint32 size)
{
    return std::find(acceptedSizes.begin(), acceptedSizes.end(), size) != acceptedSizes.end();
}

bool hasMagic(const QByteArray& data)
{
    return data.size() >= wrapperLength() && qFromBigEndian<quint32>(data.constData()) == magic;
}

// Decryption without the envelope check: the reader of envelopes uses it on bodies, so a
// body that happens to begin with "Wrap" cannot send it round again.
QByteArray decryptPlain(const QByteArray& data, CSSM_ALGORITHMS algorithm, std::int32_t keySize, const Id& rawKey)
{
    const CdsaSession session;
    if (!session) {
        TZ_LOG_LINE("-[NSData(Encrypt) decryptedDataUsing:withKeySize:withRawKey:]",
                    "The data could not be decrypted. The Security Framework returned the error message \"%@\" when "
                    "attemping to attach",
                    CSSMErrorMessage(session.status()));
        return {};
    }
    const auto key = CSSM_Key::CSSM_KeyOfType(algorithm, rawKey, keySize, session.handle());
    if (!key || data.size() > qsizetype(UINT32_MAX))
        return {};
    const CSSM_DATA cipher = cssmView(data);
    CSSM_DATA plain{0, nullptr};
    if (const CSSM_RETURN status = cdsaDecrypt(session.handle(), key->CSSM_KeyPtr(), &cipher, &plain);
        status != CSSM_OK) {
        TZ_LOG_LINE("-[NSData(Encrypt) decryptedDataUsing:withKeySize:withRawKey:]",
                    "The data could not be decrypted. The Security Framework returned the error message \"%@\" when "
                    "decrypting",
                    CSSMErrorMessage(status));
        return {};
    }
    return adoptBuffer(plain);
}

std::shared_ptr<const Data> dataPassword(const Id& key)
{
    return cast<Data>(key);
}

QByteArray aes768Decrypt(const QByteArray& data, const Id& key, bool readsEnvelopes)
{
    const auto password = dataPassword(key);
    if (!password)
        return {};
    const QList<QByteArray> keys = expandToKeys(password->bytes(), 3);
    if (keys.size() != 3)
        return {};
    QByteArray result = data;
    for (auto k = keys.crbegin(); k != keys.crend() && !result.isNull(); ++k) {
        const Id stepKey = Data::make(*k);
        result = readsEnvelopes ? decryptedDataUsing(result, CSSM_ALGID_AES, 256, stepKey)
                                : decryptPlain(result, CSSM_ALGID_AES, 256, stepKey);
    }
    return result;
}

} // namespace

QByteArray encryptedDataUsing(const QByteArray& data, CSSM_ALGORITHMS algorithm, std::int32_t keySize, const Id& rawKey)
{
    if (data.size() > qsizetype(UINT32_MAX) - 64)
        return {};
    const CdsaSession session;
    if (!session)
        return {};
    const auto key = CSSM_Key::CSSM_KeyOfType(algorithm, rawKey, keySize, session.handle());
    if (!key)
        return {};
    const CSSM_DATA plain = cssmView(data);
    CSSM_DATA cipher{0, nullptr};
    if (cdsaEncrypt(session.handle(), key->CSSM_KeyPtr(), &plain, &cipher) != CSSM_OK)
        return {};
    return adoptBuffer(cipher);
}

QByteArray decryptedDataUsing(const QByteArray& data, CSSM_ALGORITHMS algorithm, std::int32_t keySize, const Id& rawKey)
{
    if (hasMagic(data)) {
        logMessage(QStringLiteral("Somebody sent %s a wrapped data!"),
                   "-[NSData(Encrypt) decryptedDataUsing:withKeySize:withRawKey:]");
        return decryptedWrappedAESDataWithKey(data, rawKey);
    }
    return decryptPlain(data, algorithm, keySize, rawKey);
}

QByteArray wrappedAESEncryptedDataWithPass(const QByteArray& data, const Id& pass, std::int32_t keySize)
{
    const std::int32_t size = cdsaResolveKeySize(CSSM_ALGID_AES, keySize);
    if (size <= 0 || !isAcceptedSize(static_cast<quint32>(size)))
        return {};
    const QByteArray body =
        size == 768 ? AES768EncryptedDataWithKey(data, pass) : encryptedDataUsing(data, CSSM_ALGID_AES, size, pass);
    if (body.isNull())
        return {};
    const QByteArray digest = sha1Digest(body);
    if (digest.size() != hashSize())
        return {};
    QByteArray envelope(wrapperLength(), '\0');
    char* header = envelope.data();
    qToBigEndian<quint32>(magic, header);
    qToBigEndian<quint32>(static_cast<quint32>(size), header + 4);
    qToBigEndian<quint32>(fill, header + 8);
    qToBigEndian<quint32>(fill, header + 12);
    std::memcpy(header + hashOffset(), digest.constData(), hashSize());
    envelope.append(body);
    return envelope;
}

QByteArray decryptedWrappedAESDataWithKey(const QByteArray& data, const Id& key)
{
    const quint32 size = wrapperKeySize(data);
    if (size == 0)
        return {};
    const QByteArray body = data.sliced(wrapperLength());
    if (size == 768)
        return aes768Decrypt(body, key, false);
    return decryptPlain(body, CSSM_ALGID_AES, static_cast<std::int32_t>(size), key);
}

quint32 wrapperKeySize(const QByteArray& data)
{
    if (data.size() <= wrapperLength() || !hasMagic(data))
        return 0;
    quint32 size = qFromBigEndian<quint32>(data.constData() + 4);
    if (size == 0xFFFFFFFF || size <= 1)
        size = static_cast<quint32>(cdsaResolveKeySize(CSSM_ALGID_AES, static_cast<std::int32_t>(size)));
    return isAcceptedSize(size) ? size : 0;
}

QByteArray AES128EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return encryptedDataUsing(data, CSSM_ALGID_AES, -1, key);
}

QByteArray AES192EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return encryptedDataUsing(data, CSSM_ALGID_AES, 192, key);
}

QByteArray AES256EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return encryptedDataUsing(data, CSSM_ALGID_AES, 256, key);
}

QByteArray AES128DecryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return decryptedDataUsing(data, CSSM_ALGID_AES, 128, key);
}

QByteArray AES192DecryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return decryptedDataUsing(data, CSSM_ALGID_AES, 192, key);
}

QByteArray AES256DecryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return decryptedDataUsing(data, CSSM_ALGID_AES, 256, key);
}

QByteArray blowfish256DecryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return decryptedDataUsing(data, CSSM_ALGID_BLOWFISH, 256, key);
}

QByteArray wrappedAES128EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return wrappedAESEncryptedDataWithPass(data, key, 128);
}

QByteArray wrappedAES192EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return wrappedAESEncryptedDataWithPass(data, key, 192);
}

QByteArray wrappedAES256EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return wrappedAESEncryptedDataWithPass(data, key, 256);
}

QByteArray wrappedAES768EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return wrappedAESEncryptedDataWithPass(data, key, 768);
}

QByteArray AES768EncryptedDataWithKey(const QByteArray& data, const Id& key)
{
    const auto password = dataPassword(key);
    if (!password)
        return {};
    const QList<QByteArray> keys = expandToKeys(password->bytes(), 3);
    if (keys.size() != 3)
        return {};
    QByteArray result = data;
    for (const QByteArray& k : keys) {
        result = encryptedDataUsing(result, CSSM_ALGID_AES, 256, Data::make(k));
        if (result.isNull())
            return {};
    }
    return result;
}

QByteArray AES768DecryptedDataWithKey(const QByteArray& data, const Id& key)
{
    return aes768Decrypt(data, key, true);
}

} // namespace tz
