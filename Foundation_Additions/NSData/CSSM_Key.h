// One key derived from a password in a CSP attachment; freed there when the object goes.
#pragma once

#include "Foundation/Object.h"
#include "Foundation_Additions/NSData/cdsa.h"

#include <QByteArray>

class CSSM_Key
{
public:
    // The key of algorithm derived from password with cdsaDeriveKey; length may be a size
    // selector. nullptr when the derivation fails. The attachment must outlive the key.
    [[nodiscard]] static std::unique_ptr<CSSM_Key> CSSM_KeyOfType(CSSM_ALGORITHMS algorithm, const tz::Id& password,
                                                                  std::int32_t length, CSSM_CSP_HANDLE moduleHandle);
    ~CSSM_Key();
    CSSM_Key(const CSSM_Key&) = delete;
    CSSM_Key& operator=(const CSSM_Key&) = delete;

    [[nodiscard]] CSSM_CSP_HANDLE cspHandle() const { return _cspHandle; }
    [[nodiscard]] std::int32_t keyBitLength() const { return _keyBitLength; }
    [[nodiscard]] const CSSM_KEY* CSSM_KeyPtr() const { return &_keyData; }

    // A password's bytes: data as it is, a string as its NFD UTF-8, another object as its
    // description's, nil as none.
    [[nodiscard]] static QByteArray passwordBytes(const tz::Id& password);

private:
    struct Private
    {
        explicit Private() = default;
    };

public:
    CSSM_Key(CSSM_CSP_HANDLE handle, Private) : _cspHandle(handle) {}

private:
    CSSM_CSP_HANDLE _cspHandle;
    CSSM_KEY _keyData{};
    std::int32_t _keyBitLength = 0;
};
