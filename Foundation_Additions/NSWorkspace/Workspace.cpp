#include "Foundation_Additions/NSWorkspace/Workspace.h"

#include <QFileInfo>

namespace tz::workspace {

const QStringList& filePackageExtensions()
{
    static const QStringList extensions{
        QStringLiteral("app"),       QStringLiteral("bundle"),      QStringLiteral("framework"),
        QStringLiteral("plugin"),    QStringLiteral("kext"),        QStringLiteral("pkg"),
        QStringLiteral("mpkg"),      QStringLiteral("rtfd"),        QStringLiteral("wdgt"),
        QStringLiteral("xcodeproj"), QStringLiteral("component"),   QStringLiteral("prefpane"),
        QStringLiteral("saver"),     QStringLiteral("qlgenerator"), QStringLiteral("mdimporter"),
        QStringLiteral("playground")};
    return extensions;
}

bool isFilePackage(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isDir())
        return false;
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash + 1 && filePackageExtensions().contains(path.mid(dot + 1).toLower()))
        return true;
    return QFileInfo(path + QStringLiteral("/Contents/Info.plist")).isFile();
}

} // namespace tz::workspace
