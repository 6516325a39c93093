// The resource-map reader on arbitrary bytes (truncated sections, overlapping and looping
// reference lists, offsets past the end): no crash, no read out of bounds, bounded work, and a
// map it accepts and that fits the format is written and read back unchanged.
#include "Foundation_Additions/NSFileManager/ResourceMap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    tz::ResourceMap map;
    if (!tz::parseResourceMap(bytes, &map)) {
        if (!map.types.isEmpty())
            __builtin_trap();
        return 0;
    }
    for (const tz::ResourceType& type : map.types) {
        if (type.resources.isEmpty())
            __builtin_trap();
        for (const tz::Resource& resource : type.resources) {
            if (map.find(type.type, resource.id) != &resource)
                __builtin_trap();
        }
    }
    if (!map.fitsFormat())
        return 0;
    const QByteArray written = tz::serializeResourceMap(map);
    tz::ResourceMap back;
    if (!tz::parseResourceMap(written, &back) || tz::serializeResourceMap(back) != written
        || back.types.size() != map.types.size())
        __builtin_trap();
    return 0;
}
