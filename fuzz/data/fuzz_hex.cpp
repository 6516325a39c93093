// The hexadecimal reader on arbitrary UTF-16 text: no crash, null or an exact round trip; the
// vectorised and the portable writer agree.
#include "Foundation/VectorPaths.h"
#include "Foundation_Additions/NSData/TzNSDataHexadecimalRepresentation.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray bytes = tz::dataWithHexadecimalRepresentation(text);
    if (!bytes.isNull() && tz::dataWithHexadecimalRepresentation(tz::hexadecimalRepresentation(bytes)) != bytes)
        std::abort();
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString vector = tz::hexadecimalRepresentation(raw);
    tz::setVectorPathsEnabled(false);
    const QString portable = tz::hexadecimalRepresentation(raw);
    tz::setVectorPathsEnabled(true);
    if (vector != portable)
        std::abort();
    return 0;
}
