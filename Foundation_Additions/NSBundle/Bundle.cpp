#include "Foundation_Additions/NSBundle/Bundle.h"

#include <QFileInfo>
#include <QMutex>

namespace tz::bundle {

namespace {

QMutex pathLock;
QString givenPath;

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

} // namespace tz::bundle
