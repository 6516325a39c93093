#include "app/DiscRecording/SupportProfile.h"

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "Foundation/String.h"

namespace DiscRecording {

const ProfileKeys& profileKeys()
{
    static const ProfileKeys keys{tz::str(DRPersonalitiesKey),
                                  tz::str(DRDeviceProfileKey),
                                  tz::str(DRDeviceActualVendorNameKey),
                                  tz::str(TzDRDeviceVendorNameKey),
                                  tz::str(DRDeviceAlternateVendorNamesKey),
                                  tz::str(TzDRDeviceProductNameKey)};
    return keys;
}

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool vendorMatches(const tz::Dictionary& personality, const QString& vendor)
{
    if (sameName(tz::textOf(personality.objectForKey(profileKeys().vendorName)).simplified(), vendor))
        return true;
    const tz::Id alternates = personality.objectForKey(profileKeys().alternateVendorNames);
    if (const auto* list = tz::as<tz::Array>(alternates)) {
        for (const tz::Id& name : list->objects()) {
            if (sameName(tz::textOf(name).simplified(), vendor))
                return true;
        }
        return false;
    }
    return sameName(tz::textOf(alternates).simplified(), vendor);
}

bool productMatches(const tz::Dictionary& personality, const QString& product)
{
    const QString listed = tz::textOf(personality.objectForKey(profileKeys().productName)).simplified();
    if (listed.isEmpty())
        return false;
    return sameName(listed, product)
        || (product.size() > listed.size() && product.at(listed.size()) == u' '
            && product.startsWith(listed, Qt::CaseInsensitive));
}

bool personalityNames(const tz::Id& personality, const QString& vendor, const QString& product)
{
    const auto* dict = tz::as<tz::Dictionary>(personality);
    return dict && vendorMatches(*dict, vendor) && productMatches(*dict, product);
}

} // namespace

bool profileListsDrive(const tz::Id& profileRoot, const QString& vendor, const QString& product)
{
    const QString wantedVendor = vendor.simplified();
    const QString wantedProduct = product.simplified();
    if (wantedVendor.isEmpty() || wantedProduct.isEmpty())
        return false;
    bool listed = false;
    forEachPersonality(profileRoot, [&](const tz::Dictionary&, const tz::Id& personality) {
        listed = listed || personalityNames(personality, wantedVendor, wantedProduct);
    });
    return listed;
}

} // namespace DiscRecording
