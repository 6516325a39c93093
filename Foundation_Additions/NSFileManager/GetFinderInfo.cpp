#include "Foundation_Additions/NSFileManager/GetFinderInfo.h"

#include "Carbon/FSCatalogInfo.h"
#include "Carbon/FSRef.h"
#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"

#include <QtEndian>

namespace tz {

namespace {

constexpr qsizetype viewFieldOffset = 14;

} // namespace

bool GetFinderInfo(const QString& path, QByteArray* info)
{
    FSRef ref;
    if (!fileExistsAtPath(path) || !getFSRef(stringByResolvingSymlinksAndAliasesInPath(path), &ref))
        return false;
    FSCatalogInfo catalog;
    if (FSGetCatalogInfo(ref, info ? fsCatInfoFinderInfo : fsCatInfoNodeFlags, &catalog) != fsNoError)
        return false;
    if (info)
        *info = catalog.finderInfo;
    return true;
}

std::shared_ptr<const Number> GetFolderViewStyle(const QString& path)
{
    bool isDirectory = false;
    QByteArray info;
    if (!fileExistsAtPathIsDirectory(path, &isDirectory) || !isDirectory || !GetFinderInfo(path, &info)
        || info.size() < viewFieldOffset + 2)
        return {};
    return Number::make(std::uint32_t(qFromBigEndian<quint16>(info.constData() + viewFieldOffset)));
}

} // namespace tz
