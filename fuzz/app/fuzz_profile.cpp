// Device-support profiles of any shape: parsed, then turned into supported-table rows and asked
// whether they list a drive. The rows must hold exactly the keys a supported row may have, and
// a listed model must be found.
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"
#include "app/DeviceRows.h"
#include "app/DiscRecording/SupportProfile.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const tz::Id root = tz::propertyList::fromData(bytes);
    const QList<tz::Id> rows = DeviceRows::supportedRowsFromProfile(root);
    for (const tz::Id& row : rows) {
        const auto* dict = tz::as<tz::Dictionary>(row);
        if (!dict || dict->count() > 3 || tz::textOf(dict->objectForKey(manufacturerKey)).isEmpty())
            std::abort();
    }
    (void)DiscRecording::profileListsDrive(root, QStringLiteral("HL-DT-ST"), QStringLiteral("DVDRAM GH24NSD1"));
    // Each personality's own vendor and product name a drive the profile lists.
    DiscRecording::forEachPersonality(root, [&root](const tz::Dictionary&, const tz::Id& personality) {
        const auto* dict = tz::as<tz::Dictionary>(personality);
        if (!dict)
            return;
        const QString vendor = tz::textOf(dict->objectForKey(TzDRDeviceVendorNameKey));
        const QString product = tz::textOf(dict->objectForKey(TzDRDeviceProductNameKey));
        if (!vendor.simplified().isEmpty() && !product.simplified().isEmpty()
            && !DiscRecording::profileListsDrive(root, vendor, product))
            std::abort();
    });
    return 0;
}
