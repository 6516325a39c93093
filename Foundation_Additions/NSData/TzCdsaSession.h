// RAII at the edge of the cdsa layer: one CSP attachment for the length of an operation,
// and the hand-over of the layer's heap buffers into QByteArray.
#pragma once

#include "Foundation_Additions/NSData/cdsa.h"

#include <QByteArray>

namespace tz {

class CdsaSession
{
public:
    CdsaSession() : _status(cdsaCspAttach(&_handle)) {}
    ~CdsaSession()
    {
        if (_status == CSSM_OK)
            (void)cdsaCspDetach(_handle);
    }
    CdsaSession(const CdsaSession&) = delete;
    CdsaSession& operator=(const CdsaSession&) = delete;

    explicit operator bool() const { return _status == CSSM_OK; }
    [[nodiscard]] CSSM_RETURN status() const { return _status; }
    [[nodiscard]] CSSM_CSP_HANDLE handle() const { return _handle; }

private:
    CSSM_CSP_HANDLE _handle = 0;
    CSSM_RETURN _status;
};

// The bytes of a buffer the layer allocated, which is released here (QByteArray cannot adopt
// a C heap block, so this is the one copy).
[[nodiscard]] inline QByteArray adoptBuffer(CSSM_DATA& data)
{
    const CssmBuffer owner(data.Data);
    QByteArray bytes(reinterpret_cast<const char*>(data.Data), qsizetype(data.Length));
    data = {0, nullptr};
    return bytes;
}

// A read-only view of bytes as the layer's input record.
[[nodiscard]] inline CSSM_DATA cssmView(const QByteArray& bytes)
{
    return {static_cast<std::uint32_t>(bytes.size()),
            reinterpret_cast<std::uint8_t*>(const_cast<char*>(bytes.constData()))};
}

} // namespace tz
