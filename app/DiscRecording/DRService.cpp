#include "app/DiscRecording/DRService.h"

#include "app/DiscRecording/DriveService.h"

namespace DRService {

void useSimulatedDrives(const QString& path)
{
    DriveService::instance().useSimulatedDrives(path);
}

void useSystemDrives()
{
    DriveService::instance().useSystemDrives();
}

void setSupportProfile(const tz::Id& profileRoot)
{
    DriveService::instance().setSupportProfile(profileRoot);
}

} // namespace DRService
