#include "Foundation_Additions/NSFileManager/TzNSFileManagerSetHFSInvisible.h"

#include "Carbon/FSCatalogInfo.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerFileIsVisible.h"

#include <QtEndian>

namespace tz {

namespace {

constexpr qsizetype finderFlagsOffset = 8;

bool setInvisible(const QString& path, bool hidden)
{
    FSRef ref;
    if (!getFSRef(path, &ref))
        return false;
    const OSErr status = MoreFiles_X_FSChangeFinderFlags(ref, hidden, invisibleFinderFlag);
    noteFileSystemChanged(path);
    return status == fsNoError;
}

} // namespace

OSErr MoreFiles_X_FSChangeFinderFlags(const FSRef& ref, bool set, quint16 flagMask)
{
    FSCatalogInfo info;
    if (const OSErr status = FSGetCatalogInfo(ref, fsCatInfoFinderInfo, &info); status != fsNoError)
        return status;
    const quint16 flags = qFromBigEndian<quint16>(info.finderInfo.constData() + finderFlagsOffset);
    qToBigEndian(quint16(set ? flags | flagMask : flags & ~flagMask), info.finderInfo.data() + finderFlagsOffset);
    return FSSetCatalogInfo(ref, fsCatInfoFinderInfo, info);
}

OSErr MoreFiles_X_FSSetInvisible(const FSRef& ref)
{
    return MoreFiles_X_FSChangeFinderFlags(ref, true, invisibleFinderFlag);
}

OSErr MoreFiles_X_FSSetVisible(const FSRef& ref)
{
    return MoreFiles_X_FSChangeFinderFlags(ref, false, invisibleFinderFlag);
}

bool setVisibleForFileAtPath(const QString& path)
{
    return setInvisible(path, false);
}

bool setInvisibleForFileAtPath(const QString& path)
{
    return setInvisible(path, true);
}

void noteFileSystemChanged(const QString& path)
{
    Q_UNUSED(path);
}

} // namespace tz
