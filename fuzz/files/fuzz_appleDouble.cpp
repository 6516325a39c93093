// The AppleDouble reader on arbitrary bytes (truncated, overlapping and out-of-range entries):
// no crash, no read out of bounds, and what it accepts the writer reproduces entry by entry.
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tz::AppleDouble file;
    if (tz::parseAppleDouble(bytes, &file) != tz::AppleDoubleStatus::Ok) {
        if (!file.entries.isEmpty())
            __builtin_trap();
        return 0;
    }
    tz::AppleDouble again;
    if (tz::parseAppleDouble(tz::serializeAppleDouble(file), &again) != tz::AppleDoubleStatus::Ok
        || again.filler != file.filler || again.entries.size() != file.entries.size())
        __builtin_trap();
    for (qsizetype i = 0; i < file.entries.size(); ++i) {
        if (again.entries.at(i).id != file.entries.at(i).id || again.entries.at(i).data != file.entries.at(i).data)
            __builtin_trap();
    }
    return 0;
}
