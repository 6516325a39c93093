// The MD5 trailer check on arbitrary data, and on the same data with its trailer appended.
#include "Foundation_Additions/NSData/TzNSDataMD5.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)tz::dataChecksWithMD5(input);
    (void)tz::dataMinusMD5(input);
    const QByteArray protectedData = tz::dataWithAppendedMD5(input);
    if (!tz::dataChecksWithMD5(protectedData) || tz::dataMinusMD5(protectedData) != input)
        std::abort();
    if (size >= 16 && tz::dataChecksWithMD5(input) != tz::dataChecksWithMD5(tz::dataMinusMD5(input), input.last(16)))
        std::abort();
    return 0;
}
