#include "Foundation_Additions/NSBundle/StripHeadersFromBundle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tz {

namespace {

void collectHeaders(const QString& folder, QStringList* found)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName() == u"Headers")
            found->append(entry.filePath());
        else if (entry.isDir() && !entry.isSymLink())
            collectHeaders(entry.filePath(), found);
    }
}

} // namespace

void StripHeadersFromBundle(const QString& bundlePath)
{
    if (bundlePath.isEmpty())
        return;
    QStringList headers;
    collectHeaders(bundlePath + QStringLiteral("/Contents/Frameworks"), &headers);
    for (const QString& path : std::as_const(headers)) {
        const QFileInfo item(path);
        if (item.isDir() && !item.isSymLink())
            (void)QDir(path).removeRecursively();
        else
            (void)QFile::remove(path);
    }
}

} // namespace tz
