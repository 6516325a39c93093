// The device-support profile: the drive models the program lists as supported, where the
// file is found and how it is read. Its root is an array of entries; each entry holds one
// personality dictionary or an array of them, and the drive's profile dictionary.
#pragma once

#include "Foundation/Object.h"

// Keys of a profile entry.
inline const QString DRPersonalitiesKey = QStringLiteral("DRDevicePersonalities");
inline const QString DRDeviceProfileKey = QStringLiteral("DRDeviceProfile");
inline const QString DRDeviceActualVendorNameKey = QStringLiteral("DRDeviceActualVendorName");
// Keys of a personality.
inline const QString TzDRDeviceVendorNameKey = QStringLiteral("DRDeviceVendorName");
inline const QString DRDeviceAlternateVendorNamesKey = QStringLiteral("DRDeviceAlternateVendorNames");
inline const QString TzDRDeviceProductNameKey = QStringLiteral("DRDeviceProductName");

namespace DeviceSupportProfile {

// Where the disc-recording service keeps its profile, looked at in this order.
extern const QString pathToFile;
extern const QString leopardPathToFile;
// The profile built into the program (a Qt resource), used when neither of those exists.
extern const QString builtInPath;

// A profile the user named (--profile) takes the place of all the others; empty clears it.
void setOverridePath(const QString& path);
[[nodiscard]] QString overridePath();

// The override when set; else pathToFile when it exists; else leopardPathToFile when that
// exists; else builtInPath.
[[nodiscard]] QString chosenPath();

// The property list at the path, symbolic links resolved first; nil when the file cannot be
// read or is not a property list. The caller checks that the root is an array. problem, when
// given, says in a few words what keeps the file from listing drives, for a message after its
// name ("cannot be read", "is not a property list", "is not a device-support profile (its root
// is not an array)"); it is cleared for a sound profile.
[[nodiscard]] tz::Id readProfile(const QString& path, QString* problem = nullptr);
// The path as a person reads it: the built-in profile by that name, any other as it is.
[[nodiscard]] QString displayPath(const QString& path);

} // namespace DeviceSupportProfile
