#include "Foundation_Additions/NSData/CSSM_Key.h"

#include "Foundation/Data.h"
#include "Foundation/String.h"

QByteArray CSSM_Key::passwordBytes(const tz::Id& password)
{
    if (!password)
        return {};
    if (const auto* data = tz::as<tz::Data>(password))
        return data->bytes();
    const QString text = tz::as<tz::String>(password) ? tz::textOf(password) : password->description();
    return text.normalized(QString::NormalizationForm_D).toUtf8();
}

std::unique_ptr<CSSM_Key> CSSM_Key::CSSM_KeyOfType(CSSM_ALGORITHMS algorithm, const tz::Id& password,
                                                   std::int32_t length, CSSM_CSP_HANDLE moduleHandle)
{
    auto key = std::make_unique<CSSM_Key>(moduleHandle, Private());
    const QByteArray bytes = passwordBytes(password);
    key->_keyBitLength = cdsaResolveKeySize(algorithm, length);
    if (key->_keyBitLength <= 0)
        return {};
    if (cdsaDeriveKey(moduleHandle, bytes.constData(), static_cast<std::size_t>(bytes.size()), algorithm,
                      static_cast<std::uint32_t>(key->_keyBitLength), &key->_keyData)
        != CSSM_OK)
        return {};
    return key;
}

CSSM_Key::~CSSM_Key()
{
    // A key outliving its attachment still gives its bytes back.
    if (_keyData.KeyData.Data && cdsaFreeKey(_cspHandle, &_keyData) != CSSM_OK)
        std::free(_keyData.KeyData.Data);
}
