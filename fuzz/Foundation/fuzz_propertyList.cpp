// Property-list bytes of any shape: reading never crashes, and whatever reads back writes
// and reads again to an equal object.
#include "Foundation/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tz::Id object = tz::propertyList::fromData(bytes);
    if (!object)
        return 0;
    const QByteArray binary = tz::propertyList::toData(object, tz::propertyList::Format::Binary);
    if (!binary.isNull() && !tz::isEqual(tz::propertyList::fromData(binary), object))
        std::abort();
    return 0;
}
