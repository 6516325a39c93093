#include "Foundation_Additions/NSString/TzNSStringUniquedPath.h"

#include "Foundation_Additions/NSString/PathRules.h"

#include <QFileInfo>

namespace tz {

namespace {

// Something is there, a link to nothing too: writing to a free name must not go through a link.
bool taken(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

} // namespace

QString uniquedPath(const QString& path)
{
    QString current = path;
    int counter = 0;
    while (taken(current)) {
        const QString folder = path::deletingLastComponent(current);
        const QString name = path::lastComponent(current);
        const QString extension = path::extension(name);
        const QString base = path::deletingExtension(name);
        const qsizetype copy = base.lastIndexOf(QLatin1String(" copy"), -1, Qt::CaseInsensitive);
        QString newBase;
        if (copy < 0) {
            ++counter;
            newBase = base + QStringLiteral(" copy ") + QString::number(counter);
        } else {
            newBase = base.first(copy);
        }
        current = path::appendingComponent(folder, path::appendingExtension(newBase, extension));
    }
    return current;
}

} // namespace tz
