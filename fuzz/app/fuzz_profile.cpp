// Device-support profiles of any shape: parsed, then turned into supported-table rows. The
// rows must hold exactly the keys a supported row may have.
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "app/DeviceRows.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(tz::propertyList::fromData(bytes));
    for (const tz::Id& row : rows) {
        const auto* dict = tz::as<tz::Dictionary>(row);
        if (!dict || dict->count() > 3 || tz::textOf(dict->objectForKey(manufacturerKey)).isEmpty())
            std::abort();
    }
    return 0;
}
