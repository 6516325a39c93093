#include "Foundation_Additions/NSData/TzNSDataKeyExpansion.h"

#include "Foundation/Data.h"
#include "Foundation_Additions/NSData/TzCdsaSession.h"
#include "Foundation_Additions/NSData/TzNSDataEncrypt.h"

namespace tz {

namespace {

constexpr std::uint32_t slowIterations = 34567;

} // namespace

QByteArray slowlyExpandedKeyOfType(const QByteArray& password, CSSM_ALGORITHMS algorithm, std::int32_t length)
{
    const CdsaSession session;
    if (!session)
        return {};
    const std::int32_t bits = cdsaResolveKeySize(algorithm, length);
    if (bits <= 0)
        return {};
    CSSM_KEY key{};
    if (cdsaDeriveKeySlowly(session.handle(), password.constData(), static_cast<std::size_t>(password.size()),
                            algorithm, static_cast<std::uint32_t>(bits), &key, slowIterations)
        != CSSM_OK)
        return {};
    const QByteArray bytes(reinterpret_cast<const char*>(key.KeyData.Data), qsizetype(key.KeyData.Length));
    (void)cdsaFreeKey(session.handle(), &key);
    return bytes;
}

QByteArray expandedAESKeyOfLength(const QByteArray& password, std::int32_t length)
{
    return slowlyExpandedKeyOfType(password, CSSM_ALGID_AES, length);
}

QByteArray expandedAESKeyOfLengthFromString(std::int32_t length, const QString& password)
{
    if (password.isNull())
        return {};
    return expandedAESKeyOfLength(password.normalized(QString::NormalizationForm_D).toUtf8(), length);
}

QByteArray expandedAES128KeyFromString(const QString& password)
{
    return expandedAESKeyOfLengthFromString(128, password);
}

QByteArray expandedAES256KeyFromString(const QString& password)
{
    return expandedAESKeyOfLengthFromString(256, password);
}

QList<QByteArray> expandToKeys(const QByteArray& password, quint32 count)
{
    QList<QByteArray> keys;
    keys.reserve(count);
    QByteArray text = password;
    QByteArray key = password;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray next = AES256EncryptedDataWithKey(text, Data::make(key));
        if (next.isNull())
            return {};
        keys.append(next);
        text = std::move(key);
        key = std::move(next);
    }
    return keys;
}

} // namespace tz
