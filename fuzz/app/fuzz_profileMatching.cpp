// Whether a profile of any shape lists a connected drive. The input is the drive's vendor and
// product, each on a line of its own (UTF-8), then the profile's bytes. A product that names a
// drive still names it with a further word after a blank, and an empty vendor names nothing.
#include "Foundation/PropertyList.h"
#include "app/DiscRecording/SupportProfile.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype vendorEnd = input.indexOf('\n');
    const qsizetype productEnd = vendorEnd < 0 ? -1 : input.indexOf('\n', vendorEnd + 1);
    if (productEnd < 0)
        return 0;
    const QString vendor = QString::fromUtf8(input.first(vendorEnd));
    const QString product = QString::fromUtf8(input.sliced(vendorEnd + 1, productEnd - vendorEnd - 1));
    const tz::Id profile = tz::propertyList::fromData(input.sliced(productEnd + 1));

    const bool listed = DiscRecording::profileListsDrive(profile, vendor, product);
    if (listed && !DiscRecording::profileListsDrive(profile, vendor, product + QStringLiteral(" SATA")))
        std::abort();
    if (DiscRecording::profileListsDrive(profile, QString(), product))
        std::abort();
    return 0;
}
