#include "Foundation_Additions/NSString/TzNSStringDisplayPath.h"

#include "Foundation_Additions/NSString/PathRules.h"

#include <QFile>

namespace tz {

namespace {

// Desktop entries are small; a larger file is not read.
constexpr qint64 desktopEntryLimit = 1 << 20;

QString desktopEntryNameInFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > desktopEntryLimit)
        return {};
    return desktopEntryName(file.readAll());
}

} // namespace

QString desktopEntryName(QByteArrayView bytes)
{
    bool inGroup = false;
    while (!bytes.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        const QByteArrayView line = (end < 0 ? bytes : bytes.first(end)).trimmed();
        bytes = end < 0 ? QByteArrayView() : bytes.sliced(end + 1);
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inGroup || !line.startsWith("Name"))
            continue;
        const QByteArrayView rest = line.sliced(4).trimmed();
        if (!rest.startsWith('='))
            continue;
        if (const QString name = QString::fromUtf8(rest.sliced(1).trimmed()); !name.isEmpty())
            return name;
    }
    return {};
}

QString displayPath(const QString& path)
{
    const QString name = path::lastComponent(path);
    if (name.endsWith(QLatin1String(".desktop"))) {
        if (const QString entryName = desktopEntryNameInFile(path); !entryName.isNull())
            return entryName;
    }
    return name;
}

} // namespace tz
