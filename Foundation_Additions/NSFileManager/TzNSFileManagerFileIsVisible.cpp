#include "Foundation_Additions/NSFileManager/TzNSFileManagerFileIsVisible.h"

#include "Foundation/LogLine.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"
#include "Foundation_Additions/NSString/TzNSStringContains.h"

#include <QFile>
#include <QStringList>
#include <QtEndian>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace tz {

namespace {

constexpr qsizetype finderFlagsOffset = 8; // in both the file and the folder form of the information

// A path the system calls can take whole: not empty, no NUL that would cut it short.
bool usable(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0'));
}

// Something (also a broken link) is at the path.
bool itemExists(const QString& path)
{
    struct stat info = {};
    return usable(path) && ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// The path split into its folder ("" for none, "/" kept), base name and extension. A leading "."
// starts no extension, and a trailing one ends none.
struct PathParts
{
    QString folder;
    QString name;
    QString base;
    QString extension;
};

PathParts split(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(u'/'))
        trimmed.chop(1);
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    PathParts parts;
    parts.folder = slash < 0 ? QString() : trimmed.first(qMax<qsizetype>(slash, 1));
    parts.name = trimmed.sliced(slash + 1);
    const qsizetype dot = parts.name.lastIndexOf(u'.');
    if (dot > 0 && dot < parts.name.size() - 1) {
        parts.base = parts.name.first(dot);
        parts.extension = parts.name.sliced(dot + 1);
    } else {
        parts.base = parts.name;
    }
    return parts;
}

QString joined(const PathParts& parts, const QString& base)
{
    const QString name = parts.extension.isEmpty() ? base : base + u'.' + parts.extension;
    if (parts.folder.isNull())
        return name;
    return parts.folder.endsWith(u'/') ? parts.folder + name : parts.folder + u'/' + name;
}

QString folderHiddenFile(const PathParts& parts)
{
    return joined(PathParts{parts.folder, {}, {}, {}}, QStringLiteral(".hidden"));
}

// The text of a file; null when it cannot be read.
QString textOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? QString::fromUtf8(bytes) : QString();
}

bool finderFlags(const QString& path, quint16* flags)
{
    QByteArray info;
    const AppleDoubleStatus status = readFinderInfo(path, &info);
    if (!itemExists(path) || (status != AppleDoubleStatus::Ok && status != AppleDoubleStatus::Absent))
        return false;
    *flags = qFromBigEndian<quint16>(info.constData() + finderFlagsOffset);
    return true;
}

// Never replaces an item that has the new name; the companion follows.
bool renameItem(const QString& from, const QString& to)
{
    if (!usable(from) || !usable(to))
        return false;
    if (::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                    RENAME_NOREPLACE)
        != 0) {
        if (errno != EINVAL || itemExists(to)
            || ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
            return false;
    }
    (void)moveAppleDoubleCompanion(from, to);
    return true;
}

} // namespace

QString defaultRootHiddenList()
{
    return QStringLiteral("automount\nbin\ncores\nDesktop DB\nDesktop DF\nDesktop Folder\ndev\netc\nlost+found\nmach\n"
                          "mach_kernel\nmach.sym\nopt\nprivate\nsbin\ntmp\nTrash\nusr\nvar\nVM Storage\nVolumes");
}

QString rootHiddenList()
{
    static const QString list = [] {
        const QString text = textOf(QStringLiteral("/.hidden"));
        return text.isNull() ? defaultRootHiddenList() : text;
    }();
    return list;
}

bool inDotHiddenFile(const QString& path)
{
    const PathParts parts = split(path);
    if (containsPrecisely(rootHiddenList(), parts.name))
        return true;
    const QString folderList = textOf(folderHiddenFile(parts));
    return !folderList.isNull() && containsPrecisely(folderList, parts.name);
}

bool fileInvisibleBitSet(const QString& path)
{
    quint16 flags = 0;
    return finderFlags(path, &flags) && (flags & invisibleFinderFlag) != 0;
}

bool setFileInvisibleBit(const QString& path, bool hidden)
{
    QByteArray info;
    const AppleDoubleStatus status = readFinderInfo(path, &info);
    if (!itemExists(path) || (status != AppleDoubleStatus::Ok && status != AppleDoubleStatus::Absent))
        return false;
    const quint16 flags = qFromBigEndian<quint16>(info.constData() + finderFlagsOffset);
    const quint16 changed = hidden ? quint16(flags | invisibleFinderFlag) : quint16(flags & ~invisibleFinderFlag);
    if (changed == flags)
        return true;
    qToBigEndian(changed, info.data() + finderFlagsOffset);
    return writeFinderInfo(path, info);
}

bool visibleFileAtPath(const QString& path)
{
    if (!itemExists(path))
        return false;
    const PathParts parts = split(path);
    if (parts.name.startsWith(u'.') || parts.name.endsWith(u'~'))
        return false;
    const QString folderList = textOf(folderHiddenFile(parts));
    if (!folderList.isNull() && folderList.split(u'\n').contains(parts.name))
        return false;
    return !fileInvisibleBitSet(path);
}

bool fileIsVisible(const QString& path)
{
    if (split(path).name.startsWith(u'.'))
        return false;
    return !fileInvisibleBitSet(path) && !inDotHiddenFile(path);
}

bool makeFileVisible(QString* path)
{
    if (!itemExists(*path))
        return false;
    if (visibleFileAtPath(*path))
        return true;
    const PathParts parts = split(*path);
    const bool dot = parts.name.startsWith(u'.');
    const bool bit = fileInvisibleBitSet(*path);
    const bool listed = inDotHiddenFile(*path);
    QString base = parts.base;
    if (dot)
        base = format("dot(%@)", base);
    if (bit)
        base = format("inv isible_bit(%@)", base);
    if (listed)
        base = format("in_dot_hiddenfile(%@)", base);
    if (bit && !setFileInvisibleBit(*path, false))
        return false;
    if (!dot && !listed) {
        if (!bit)
            logMessage(QStringLiteral("Mysteriously invisible file at path: %@"), *path);
        return true;
    }
    const QString renamed = joined(parts, base);
    if (!renameItem(*path, renamed)) {
        TZ_LOG_LINE("+[NSFileManager(fileIsVisible) makeFileVisible:]", "Could not rename %@ to %@", *path, renamed);
        return false;
    }
    *path = renamed;
    return true;
}

bool makeFileVisibleLite(QString* path)
{
    if (!itemExists(*path))
        return false;
    if (visibleFileAtPath(*path))
        return true;
    const PathParts parts = split(*path);
    const bool dot = parts.name.startsWith(u'.');
    const bool bit = fileInvisibleBitSet(*path);
    const QString base = dot ? format("(.)%@", parts.base.sliced(1)) : parts.base;
    if (bit && !setFileInvisibleBit(*path, false))
        return false;
    if (!dot) {
        if (!bit)
            logMessage(QStringLiteral("System invisible file at path: %@"), *path);
        return true;
    }
    const QString renamed = joined(parts, base);
    if (!renameItem(*path, renamed)) {
        logMessage(QStringLiteral("Could not rename %@ to %@"), *path, renamed);
        return false;
    }
    *path = renamed;
    return true;
}

} // namespace tz
