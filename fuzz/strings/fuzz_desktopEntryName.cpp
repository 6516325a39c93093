// The desktop entry's name reader on arbitrary bytes: no crash, no read out of bounds, and a name
// it gives is one line, not empty, without blanks at its ends.
#include "Foundation_Additions/NSString/TzNSStringDisplayPath.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString name = tz::desktopEntryName(bytes);
    if (name.isNull())
        return 0;
    if (name.isEmpty() || name.contains(u'\n') || name.front().isSpace() || name.back().isSpace())
        __builtin_trap();
    return 0;
}
