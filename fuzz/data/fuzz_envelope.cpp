// Envelope reading on random and mutated input: wrapperKeySize and the decryption must not
// crash; a refused envelope gives null. Seeds are real envelopes of the password "pw".
#include "Foundation/String.h"
#include "Foundation_Additions/NSData/TzNSDataEncrypt.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const quint32 keySize = tz::wrapperKeySize(input);
    if (keySize != 0 && keySize != 128 && keySize != 192 && keySize != 256 && keySize != 768)
        std::abort();
    const QByteArray plain = tz::decryptedWrappedAESDataWithKey(input, tz::str(QStringLiteral("pw")));
    if (keySize == 0 && !plain.isNull())
        std::abort();
    return 0;
}
