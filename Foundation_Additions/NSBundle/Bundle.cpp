#include "Foundation_Additions/NSBundle/Bundle.h"

#include "Foundation/PropertyList.h"

#include <QFileInfo>
#include <QMutex>

namespace tz::bundle {

namespace {

QMutex pathLock;
QString givenPath;

bool staysInside(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'/') && !name.split(u'/').contains(QStringLiteral(".."));
}

} // namespace

QString mainBundlePath()
{
    {
        const QMutexLocker locker(&pathLock);
        if (!givenPath.isEmpty())
            return givenPath;
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

void setMainBundlePath(const QString& path)
{
    const QMutexLocker locker(&pathLock);
    givenPath = path;
}

QString infoDictionaryPath()
{
    return mainBundlePath() + QStringLiteral("/Contents/Info.plist");
}

std::shared_ptr<const Dictionary> infoDictionary()
{
    return cast<Dictionary>(propertyList::readFile(infoDictionaryPath()));
}

QString pathForResource(const QString& name)
{
    if (!staysInside(name))
        return {};
    const QString bundle = mainBundlePath();
    for (const QString& candidate : {bundle + QStringLiteral("/Contents/Resources/") + name, bundle + u'/' + name}) {
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

} // namespace tz::bundle
