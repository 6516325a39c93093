// The Base64 reader on arbitrary UTF-16 text: never null, and its bytes survive a round trip;
// the vectorised and the portable paths agree in both directions.
#include "Foundation/VectorPaths.h"
#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray bytes = tz::dataWithBase64EncodedString(text);
    if (bytes.isNull() || bytes.size() > text.size())
        std::abort();
    const quint32 lineLength = size ? data[0] % 80 : 0;
    const QString encoded = tz::base64EncodingWithLineLength(bytes, lineLength);
    if (tz::dataWithBase64EncodedString(encoded) != bytes)
        std::abort();
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString rawEncoded = tz::base64EncodingWithLineLength(raw, lineLength);
    tz::setVectorPathsEnabled(false);
    const bool agree = tz::dataWithBase64EncodedString(text) == bytes
        && tz::base64EncodingWithLineLength(raw, lineLength) == rawEncoded;
    tz::setVectorPathsEnabled(true);
    if (!agree)
        std::abort();
    return 0;
}
