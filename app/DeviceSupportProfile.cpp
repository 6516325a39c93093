#include "app/DeviceSupportProfile.h"

#include "Foundation/PropertyList.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QFileInfo>

namespace DeviceSupportProfile {

const QString pathToFile = QStringLiteral(
    "/System/Library/Frameworks/DiscRecording.framework/Frameworks/DiscRecordingEngine.framework/Resources/"
    "DeviceSupport.drprofile");
const QString leopardPathToFile =
    QStringLiteral("/System/Library/Frameworks/DiscRecording.framework/Resources/DeviceSupport.drprofile");
const QString builtInPath = QStringLiteral(":/DeviceSupport.drprofile");

QString chosenPath(const QString& named)
{
    if (!named.isEmpty())
        return named;
    if (QFileInfo::exists(pathToFile))
        return pathToFile;
    if (QFileInfo::exists(leopardPathToFile))
        return leopardPathToFile;
    return builtInPath;
}

tz::Id readProfile(const QString& path)
{
    // Resource paths name no file on disk, so there is no link to follow.
    const bool inResources = path.startsWith(u':');
    return tz::propertyList::readFile(inResources ? path : tz::stringByResolvingSymlinksAndAliasesInPath(path));
}

} // namespace DeviceSupportProfile
