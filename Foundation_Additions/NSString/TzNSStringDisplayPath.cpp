#include "Foundation_Additions/NSString/TzNSStringDisplayPath.h"

#include "Foundation_Additions/NSString/PathRules.h"

#include <QFile>

namespace tz {

namespace {

// Desktop entries are small; a larger file is not read.
constexpr qint64 desktopEntryLimit = 1 << 20;

// The unlocalised Name= of the [Desktop Entry] group; null when there is none.
QString desktopEntryName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > desktopEntryLimit)
        return {};
    bool inGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup || !line.startsWith("Name"))
            continue;
        const QByteArray rest = line.sliced(4).trimmed();
        if (rest.startsWith('=')) {
            const QString name = QString::fromUtf8(rest.sliced(1).trimmed());
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

} // namespace

QString displayPath(const QString& path)
{
    const QString name = path::lastComponent(path);
    if (name.endsWith(QLatin1String(".desktop"))) {
        if (const QString entryName = desktopEntryName(path); !entryName.isNull())
            return entryName;
    }
    return name;
}

} // namespace tz
