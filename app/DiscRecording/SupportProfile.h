// Whether a device-support profile lists a drive model.
//
// The profile root is an array of entries whose "DRDevicePersonalities" is a personality
// dictionary or an array of them. A personality names a drive when, after trimming both
// ends and collapsing inner runs of white space, and ignoring case:
//   - the drive's vendor equals its "DRDeviceVendorName" or one of its
//     "DRDeviceAlternateVendorNames" (a string or an array of strings), and
//   - the drive's product equals its "DRDeviceProductName", or begins with it followed by a
//     blank (a whole-word prefix: "DVDRAM GH24NSD1" names "DVDRAM GH24NSD1 SATA").
// An empty vendor or product names nothing; a root of any other shape lists nothing.
#pragma once

#include "Foundation/Object.h"

namespace DiscRecording {

[[nodiscard]] bool profileListsDrive(const tz::Id& profileRoot, const QString& vendor, const QString& product);

} // namespace DiscRecording
