// Configuration of the disc-recording service, set by the application before first use.
#pragma once

#include "Foundation/Object.h"

namespace DRService {

// Serve the drives described in a property-list file instead of the real hardware. The
// environment variable BURNER_CATALOGUE_SIMULATE=FILE does the same when this is not called.
// Called after the service is in use, it switches: observers see the old drives disappear
// and the new ones appear.
void useSimulatedDrives(const QString& path);

// Serve the machine's own drives again (the default).
void useSystemDrives();

// The simulation file served (by call or environment variable); empty for the machine's drives.
[[nodiscard]] QString simulationPath();
// What is wrong with the simulation file served, in a few words ("is not a property list");
// empty when it is sound or no simulation is served.
[[nodiscard]] QString simulationProblem();

// The device-support profile (the root of the profile file); a drive whose vendor and product
// match one of its personalities has the support level DRDeviceSupportLevelSupported, any other
// DRDeviceSupportLevelUnsupported. The level is worked out on every info() call. Matching
// ignores case and surplus blanks; the product may also be a whole-word prefix of the drive's
// (the full rule is in SupportProfile.h).
void setSupportProfile(const tz::Id& profileRoot);

} // namespace DRService
