// The Base64 reader on arbitrary UTF-16 text: never null, and its bytes survive a round trip.
#include "Foundation_Additions/NSData/TzNSDataBase64Encoding.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray bytes = tz::dataWithBase64EncodedString(text);
    if (bytes.isNull() || bytes.size() > text.size())
        std::abort();
    const quint32 lineLength = size ? data[0] % 80 : 0;
    if (tz::dataWithBase64EncodedString(tz::base64EncodingWithLineLength(bytes, lineLength)) != bytes)
        std::abort();
    return 0;
}
