// The device-support profile format, in one place: its keys, the walk over its personalities,
// and whether it lists a drive model.
//
// The profile root is an array of entries. Each entry holds "DRDevicePersonalities", one
// personality dictionary or an array of them, and "DRDeviceProfile", the drive model's profile
// dictionary (which may name "DRDeviceActualVendorName"). A personality may hold
// "DRDeviceVendorName", "DRDeviceAlternateVendorNames" (a string or an array of strings) and
// "DRDeviceProductName".
//
// A personality names a drive when, after trimming both ends and collapsing inner runs of
// white space, and ignoring case:
//   - the drive's vendor equals its "DRDeviceVendorName" or one of its
//     "DRDeviceAlternateVendorNames", and
//   - the drive's product equals its "DRDeviceProductName", or begins with it followed by a
//     blank (a whole-word prefix: "DVDRAM GH24NSD1" names "DVDRAM GH24NSD1 SATA").
// An empty vendor or product names nothing; a root of any other shape lists nothing.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"

#include <QString>

// Keys of a profile entry.
inline const QString DRPersonalitiesKey = QStringLiteral("DRDevicePersonalities");
inline const QString DRDeviceProfileKey = QStringLiteral("DRDeviceProfile");
inline const QString DRDeviceActualVendorNameKey = QStringLiteral("DRDeviceActualVendorName");
// Keys of a personality.
inline const QString TzDRDeviceVendorNameKey = QStringLiteral("DRDeviceVendorName");
inline const QString DRDeviceAlternateVendorNamesKey = QStringLiteral("DRDeviceAlternateVendorNames");
inline const QString TzDRDeviceProductNameKey = QStringLiteral("DRDeviceProductName");

namespace DiscRecording {

// The same keys as objects, made once, for lookups that must not make a key object each time.
struct ProfileKeys
{
    tz::Id personalities;
    tz::Id profile;
    tz::Id actualVendorName;
    tz::Id vendorName;
    tz::Id alternateVendorNames;
    tz::Id productName;
};
[[nodiscard]] const ProfileKeys& profileKeys();

// Calls visit(entry, personality) for each personality of every entry, in file order: each
// element of an array of personalities (whatever its kind), or the one personality when it is
// a dictionary. Entries that are not dictionaries, and a root that is not an array, give none.
template <typename Visit>
void forEachPersonality(const tz::Id& profileRoot, Visit&& visit)
{
    const auto* entries = tz::as<tz::Array>(profileRoot);
    if (!entries)
        return;
    const tz::Id& key = profileKeys().personalities;
    for (const tz::Id& entry : entries->objects()) {
        const auto* dict = tz::as<tz::Dictionary>(entry);
        if (!dict)
            continue;
        const tz::Id personalities = dict->objectForKey(key);
        if (const auto* list = tz::as<tz::Array>(personalities)) {
            for (const tz::Id& personality : list->objects())
                visit(*dict, personality);
        } else if (tz::as<tz::Dictionary>(personalities)) {
            visit(*dict, personalities);
        }
    }
}

[[nodiscard]] bool profileListsDrive(const tz::Id& profileRoot, const QString& vendor, const QString& product);

} // namespace DiscRecording
