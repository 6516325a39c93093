#include "app/DiscRecording/SupportProfile.h"

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "Foundation/String.h"

namespace DiscRecording {
namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool vendorMatches(const tz::Dictionary& personality, const QString& vendor)
{
    if (sameName(tz::textOf(personality.objectForKey(QStringLiteral("DRDeviceVendorName"))).simplified(), vendor))
        return true;
    const tz::Id alternates = personality.objectForKey(QStringLiteral("DRDeviceAlternateVendorNames"));
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
    const QString listed = tz::textOf(personality.objectForKey(QStringLiteral("DRDeviceProductName"))).simplified();
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
    const auto* entries = tz::as<tz::Array>(profileRoot);
    if (!entries || wantedVendor.isEmpty() || wantedProduct.isEmpty())
        return false;
    for (const tz::Id& entry : entries->objects()) {
        const auto* dict = tz::as<tz::Dictionary>(entry);
        if (!dict)
            continue;
        const tz::Id personalities = dict->objectForKey(QStringLiteral("DRDevicePersonalities"));
        if (const auto* list = tz::as<tz::Array>(personalities)) {
            for (const tz::Id& personality : list->objects()) {
                if (personalityNames(personality, wantedVendor, wantedProduct))
                    return true;
            }
        } else if (personalityNames(personalities, wantedVendor, wantedProduct)) {
            return true;
        }
    }
    return false;
}

} // namespace DiscRecording
