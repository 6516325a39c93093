#include "Foundation_Additions/NSWorkspace/TzNSWorkspaceTrashFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tz {

namespace {

// $XDG_DATA_HOME/Trash, made private to the user when it is new.
bool userTrashReady()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return false;
    const QString trash = data + QStringLiteral("/Trash");
    if (QFileInfo(trash).isDir())
        return true;
    return QDir().mkpath(trash) && QFile::setPermissions(trash, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

bool trashFileAtPath(const QString& path)
{
    const QFileInfo item(path);
    if (path.isEmpty() || (!item.exists() && !item.isSymLink()))
        return false;
    return userTrashReady() && QFile::moveToTrash(path);
}

} // namespace tz
