#include "Foundation_Additions/NSFileManager/ConstructDirectoryAtPath.h"

#include "Foundation/AtomicWrite.h"
#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSBundle/Bundle.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"
#include "Foundation_Additions/NSString/PathRules.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"
#include "Graphics/TzNSDateFilenameLegalDate.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace tz {

namespace {

bool somethingAt(const QString& path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// Never replaces an item of the new name.
bool moveAside(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) != 0) {
        // File systems without the flag: test first, then rename.
        if (errno != EINVAL || somethingAt(to) || ::rename(source.constData(), target.constData()) != 0)
            return false;
    }
    (void)moveAppleDoubleCompanion(from, to);
    return true;
}

bool makeRoomFor(const QString& path)
{
    const QFileInfo item(path);
    const QString folder = item.path();
    const QString oldName = item.fileName();
    const QString movedPath =
        path::appendingComponent(folder, format("X %@ %@", filenameLegalDateTime(*Date::now()), oldName));
    if (!moveAside(path, movedPath))
        return false;
    const QString application = QFileInfo(bundle::mainBundlePath()).fileName();
    const QString notice = format("file \"%@\"\nrenamed by %@ to:\n\"%@\"\n to allow creation of folder\n\"%@\"", path,
                                  application, movedPath, path);
    TZ_LOG_LINE("ConstructDirectoryAtPath", "%@", notice);
    // The log holds the notice too, so a notice that cannot be written stops nothing.
    (void)writeAtomically(notice.toUtf8(), path + format(" NOTICE %@ .txt", filenameLegalDateTime(*Date::now())));
    return true;
}

} // namespace

bool ConstructDirectoryAtPath(const QString& path, bool moveConflictsAside)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return false;
    const QString expanded = path::expandingTilde(path);
    QString current = expanded.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (const QString& component : expanded.split(u'/', Qt::SkipEmptyParts)) {
        current = stringByResolvingSymlinksAndAliasesInPath(path::appendingComponent(current, component));
        bool isDirectory = false;
        if (fileExistsAtPathIsDirectory(current, &isDirectory) && isDirectory)
            continue;
        if (somethingAt(current)) {
            if (!moveConflictsAside) {
                TZ_LOG_LINE("ConstructDirectoryAtPath",
                            "Could not create directory at %@ because of name-conflict with file", current);
                return false;
            }
            if (!makeRoomFor(current))
                return false;
        }
        if (::mkdir(QFile::encodeName(current).constData(), 0777) != 0)
            return false;
    }
    return true;
}

} // namespace tz
