// Configuration of the disc-recording service, set by the application before first use.
#pragma once

#include "Foundation/Object.h"

namespace DRService {

// Serve the drives described in a property-list file instead of the real hardware. The
// environment variable BURNER_CATALOGUE_SIMULATE=FILE does the same when this is not called.
void useSimulatedDrives(const QString& path);

// The device-support profile (the root of the profile file); a drive whose vendor and product
// match one of its personalities has the support level DRDeviceSupportLevelSupported.
void setSupportProfile(const tz::Id& profileRoot);

} // namespace DRService
