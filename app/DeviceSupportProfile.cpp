#include "app/DeviceSupportProfile.h"

#include "Foundation/Array.h"
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

tz::Id readProfile(const QString& path, QString* problem)
{
    // Resource paths name no file on disk, so there is no link to follow.
    const bool inResources = path.startsWith(u':');
    const QString resolved = inResources ? path : tz::stringByResolvingSymlinksAndAliasesInPath(path);
    tz::Id root = tz::propertyList::readFile(resolved);
    if (problem) {
        const QFileInfo file(resolved);
        if (root)
            *problem = tz::as<tz::Array>(root)
                ? QString()
                : QStringLiteral("is not a device-support profile (its root is not an array)");
        else if (!file.isFile() || !file.isReadable())
            *problem = QStringLiteral("cannot be read");
        else
            *problem = QStringLiteral("is not a property list");
    }
    return root;
}

QString displayPath(const QString& path)
{
    return path == builtInPath ? QStringLiteral("the built-in profile") : path;
}

} // namespace DeviceSupportProfile
