#include "app/DiscRecording/DRService.h"

#include "app/DiscRecording/DriveService.h"
#include "app/DiscRecording/SimulatedDriveBackend.h"

namespace DRService {

void useSimulatedDrives(const QString& path)
{
    DriveService::instance().useSimulatedDrives(path);
}

void useSystemDrives()
{
    DriveService::instance().useSystemDrives();
}

QString simulationPath()
{
    return DriveService::instance().simulationPath();
}

QString simulationProblem()
{
    const QString path = simulationPath();
    return path.isEmpty() ? QString() : SimulatedDriveBackend::problemWith(path);
}

void setSupportProfile(const tz::Id& profileRoot)
{
    DriveService::instance().setSupportProfile(profileRoot);
}

} // namespace DRService
