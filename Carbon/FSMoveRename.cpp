#include "Carbon/FSMoveRename.h"

#include "Carbon/FSRefPrivate.h"
#include "Foundation_Additions/NSFileManager/AppleDouble.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>

namespace tz {

namespace {

OSErr folderInfo(const FSRef& ref, struct stat* info)
{
    if (const OSErr status = fsref::statOf(ref, info); status != fsNoError)
        return status;
    return S_ISDIR(info->st_mode) ? fsNoError : fsNotAFolder;
}

// -43 when nothing of that name is in the folder, 0 when something is, another status otherwise.
OSErr nameStatus(const FSRef& folder, const QString& name)
{
    struct stat info
    {};
    if (::lstat(fsref::encoded(fsref::childPath(folder.path, name)).constData(), &info) == 0)
        return fsNoError;
    return statusOfErrno(errno);
}

bool isValidName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
}

} // namespace

OSErr moveItemWithCompanion(const QString& from, const QString& to)
{
    if (from == to)
        return fsNoError;
    if (::renameat2(AT_FDCWD, fsref::encoded(from).constData(), AT_FDCWD, fsref::encoded(to).constData(),
                    RENAME_NOREPLACE)
        != 0)
        return statusOfErrno(errno);
    if (moveAppleDoubleCompanion(from, to))
        return fsNoError;
    // The companion could not follow: put the item back where its companion is.
    (void)::renameat2(AT_FDCWD, fsref::encoded(to).constData(), AT_FDCWD, fsref::encoded(from).constData(),
                      RENAME_NOREPLACE);
    return fsIoError;
}

OSErr GenerateUniqueHFSUniStr(quint32* startSeed, const FSRef& dir1, const FSRef& dir2, QString* uniqueName)
{
    if (!startSeed || !uniqueName)
        return fsParameterError;
    struct stat info
    {};
    if (const OSErr status = folderInfo(dir1, &info); status != fsNoError)
        return status;
    if (const OSErr status = folderInfo(dir2, &info); status != fsNoError)
        return status;
    for (;;) {
        const QString name = QStringLiteral("%1").arg(*startSeed, 8, 16, QLatin1Char('0')).toUpper();
        ++*startSeed;
        OSErr status = nameStatus(dir1, name);
        if (status == fsNoSuchItem)
            status = nameStatus(dir2, name);
        if (status == fsNoSuchItem) {
            *uniqueName = name;
            return fsNoError;
        }
        if (status != fsNoError)
            return status;
    }
}

OSErr FSMoveRenameObjectUnicode(const FSRef& ref, const FSRef& destDirectory, const QString& name,
                                quint32 textEncodingHint, FSRef* newRef)
{
    Q_UNUSED(textEncodingHint);
    struct stat item
    {};
    if (const OSErr status = fsref::statOf(ref, &item); status != fsNoError)
        return status;
    struct stat destination
    {};
    if (const OSErr status = folderInfo(destDirectory, &destination); status != fsNoError)
        return status;
    if (item.st_dev != destination.st_dev)
        return fsDifferentVolumes;
    if (!name.isNull() && !isValidName(name))
        return fsBadName;
    if (ref.path == u"/")
        return fsParameterError;

    const QString parent = fsref::parentPath(ref.path);
    const QString oldName = fsref::lastComponent(ref.path);
    const bool sameParent = parent == destDirectory.path;
    const auto finish = [&](const QString& path) { return newRef ? FSPathMakeRef(path, newRef) : fsNoError; };

    if (name.isNull() || sameParent) {
        // A plain move keeping the name, or a rename within the folder.
        const QString target = fsref::childPath(destDirectory.path, name.isNull() ? oldName : name);
        if (const OSErr status = moveItemWithCompanion(ref.path, target); status != fsNoError)
            return status;
        return finish(target);
    }

    // Into another folder under a new name: through a name free in both folders.
    FSRef parentRef;
    if (const OSErr status = FSPathMakeRef(parent, &parentRef); status != fsNoError)
        return status;
    quint32 seed = uniqueNameSeed;
    QString temporary;
    if (const OSErr status = GenerateUniqueHFSUniStr(&seed, parentRef, destDirectory, &temporary); status != fsNoError)
        return status;
    const QString renamed = fsref::childPath(parent, temporary);
    if (const OSErr status = moveItemWithCompanion(ref.path, renamed); status != fsNoError)
        return status;
    const QString moved = fsref::childPath(destDirectory.path, temporary);
    OSErr status = moveItemWithCompanion(renamed, moved);
    if (status == fsNoError) {
        const QString target = fsref::childPath(destDirectory.path, name);
        status = moveItemWithCompanion(moved, target);
        if (status == fsNoError)
            return finish(target);
        (void)moveItemWithCompanion(moved, renamed);
    }
    (void)moveItemWithCompanion(renamed, ref.path);
    return status;
}

} // namespace tz
