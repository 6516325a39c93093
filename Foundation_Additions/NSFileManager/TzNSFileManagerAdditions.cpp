#include "Foundation_Additions/NSFileManager/TzNSFileManagerAdditions.h"

#include "Foundation/LogLine.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringResolveAliases.h"
#include "Foundation_Additions/NSString/TzUUIDString.h"
#include "Foundation_Additions/NSWorkspace/Workspace.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdlib>

namespace tz {

namespace {

// The line the temporary-path log line has always named.
constexpr int tempPathLogLine = 99;

bool usable(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0'));
}

// Something is at the path, also a broken link.
bool itemExists(const QString& path)
{
    struct stat info
    {};
    return usable(path) && ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// The canonical path of a link's target; the path itself when it names no link.
QString linkTarget(const QString& path, const struct statx& linkStatus)
{
    if (!S_ISLNK(linkStatus.stx_mode))
        return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(QFile::encodeName(path).constData(), nullptr),
                                                               &std::free);
    return resolved ? QFile::decodeName(resolved.get()) : path;
}

template <typename T>
std::shared_ptr<const T> attributeOf(const QString& key, const QString& path)
{
    return cast<T>(fileAttributeAtPath(key, path));
}

quint64 roundedToBlocks(quint64 size)
{
    return (size / allocationBlockSize + (size % allocationBlockSize != 0 ? 1 : 0)) * allocationBlockSize;
}

quint32 saturated(quint64 size)
{
    return quint32(std::min<quint64>(size, 0xFFFFFFFFu));
}

quint64 sizeOfTree(const QString& path, std::shared_ptr<const Array>* items, bool resolvingAliases)
{
    const std::unique_ptr<DirectoryEnumerator> enumerator = DirectoryEnumerator::enumeratorAtPath(path);
    if (!enumerator)
        return 0;
    const bool collecting = items && *items;
    const QByteArray folder = QFile::encodeName(path.endsWith(u'/') ? path : path + u'/');
    const Id pathKey = str(tzPathKey);
    QList<Id> records;
    AccountNames names;
    quint64 total = 0;
    while (const DirectoryEnumerator::Entry* entry = enumerator->nextEntry()) {
        const struct statx* status = entry->statusRead ? &entry->status : nullptr;
        QString itemPath;
        if (resolvingAliases || collecting)
            itemPath = QFile::decodeName(folder + entry->relativePath);
        struct statx resolvedStatus;
        if (resolvingAliases) {
            const QString resolved = stringByResolvingSymlinksAndAliasesInPath(itemPath);
            if (resolved != itemPath) {
                itemPath = resolved;
                status = statusOfItem(itemPath, false, &resolvedStatus) ? &resolvedStatus : nullptr;
            }
        }
        if (!status || S_ISDIR(status->stx_mode))
            continue;
        total += roundedToBlocks(status->stx_size);
        if (collecting)
            records.append(dictionaryBySettingObjectForKey(fileAttributesFromStatus(*status, itemPath, &names),
                                                           str(itemPath), pathKey));
    }
    if (collecting && !records.isEmpty()) {
        QList<Id> all = (*items)->objects();
        all.append(records);
        *items = Array::make(std::move(all));
    }
    return total;
}

} // namespace

std::unique_ptr<DirectoryEnumerator> enumeratorAtPath(const QString& path)
{
    return DirectoryEnumerator::enumeratorAtPath(path);
}

DictionaryPtr fileAttributesAtPathTraverseLink(const QString& path, bool traverseLink)
{
    struct statx status;
    if (!statusOfItem(path, false, &status))
        return {};
    if (!traverseLink || !S_ISLNK(status.stx_mode))
        return fileAttributesFromStatus(status, path);
    const QString target = linkTarget(path, status);
    if (!statusOfItem(path, true, &status))
        return {};
    return fileAttributesFromStatus(status, target);
}

bool fileExistsAtPath(const QString& path)
{
    return fileExistsAtPathIsDirectory(path, nullptr);
}

bool fileExistsAtPathIsDirectory(const QString& path, bool* isDirectory)
{
    struct stat info
    {};
    const bool exists = usable(path) && ::stat(QFile::encodeName(path).constData(), &info) == 0;
    if (isDirectory)
        *isDirectory = exists && S_ISDIR(info.st_mode);
    return exists;
}

bool folderExistsAtPath(const QString& path)
{
    bool isDirectory = false;
    return fileExistsAtPathIsDirectory(path, &isDirectory) && isDirectory && !workspace::isFilePackage(path);
}

bool filePackageExistsAtPath(const QString& path)
{
    return workspace::isFilePackage(path);
}

Id fileAttributeAtPath(const QString& key, const QString& path)
{
    const DictionaryPtr attributes = fileAttributesAtPathTraverseLink(path, true);
    return attributes ? attributes->objectForKey(key) : Id();
}

std::shared_ptr<const Date> fileModificationDateAtPath(const QString& path)
{
    return attributeOf<Date>(NSFileModificationDate, path);
}
std::shared_ptr<const Date> fileCreationDateAtPath(const QString& path)
{
    return attributeOf<Date>(NSFileCreationDate, path);
}
std::shared_ptr<const Number> fileSizeAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileSize, path);
}
std::shared_ptr<const Number> fileHFSCreatorCodeAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileHFSCreatorCode, path);
}
std::shared_ptr<const Number> fileHFSTypeCodeAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileHFSTypeCode, path);
}
std::shared_ptr<const Number> filePosixPermissionsAtPath(const QString& path)
{
    return attributeOf<Number>(NSFilePosixPermissions, path);
}
std::shared_ptr<const Number> fileOwnerAccountIDAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileOwnerAccountID, path);
}
std::shared_ptr<const Number> fileGroupOwnerAccountIDAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileGroupOwnerAccountID, path);
}
std::shared_ptr<const Number> fileImmutableAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileImmutable, path);
}
std::shared_ptr<const Number> fileAppendOnlyAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileAppendOnly, path);
}
std::shared_ptr<const Number> fileReferenceCountAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileReferenceCount, path);
}
std::shared_ptr<const Number> fileDeviceIdentifierAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileDeviceIdentifier, path);
}
std::shared_ptr<const Number> fileSystemFileNumberAtPath(const QString& path)
{
    return attributeOf<Number>(NSFileSystemFileNumber, path);
}
QString fileOwnerAccountNameAtPath(const QString& path)
{
    return textOf(fileAttributeAtPath(NSFileOwnerAccountName, path));
}
QString fileGroupOwnerAccountNameAtPath(const QString& path)
{
    return textOf(fileAttributeAtPath(NSFileGroupOwnerAccountName, path));
}
QString fileTypeAtPath(const QString& path)
{
    return textOf(fileAttributeAtPath(NSFileType, path));
}

quint64 directorySize64ResolvingAliases(const QString& path, bool resolvingAliases)
{
    return sizeOfTree(path, nullptr, resolvingAliases);
}

quint64 directorySize64ItemsResolvingAliases(const QString& path, std::shared_ptr<const Array>* items,
                                             bool resolvingAliases)
{
    return sizeOfTree(path, items, resolvingAliases);
}

quint32 directorySizeResolvingAliases(const QString& path, bool resolvingAliases)
{
    return saturated(sizeOfTree(path, nullptr, resolvingAliases));
}

quint32 directorySizeItemsResolvingAliases(const QString& path, std::shared_ptr<const Array>* items,
                                           bool resolvingAliases)
{
    return saturated(sizeOfTree(path, items, resolvingAliases));
}

QString tempPathWithFormat(const QString& format)
{
    QString path;
    while (!format.isNull()) {
        const QString uuid = UUIDString();
        const QString name = tz::format(format, uuid);
        const QString candidate = QDir::tempPath() + u'/' + name;
        if (!itemExists(candidate)) {
            path = candidate;
            break;
        }
        if (!name.contains(uuid))
            break;
    }
    if (path.isNull())
        logLine(__FILE__, tempPathLogLine,
                QStringLiteral("+[NSFileManager(TzNSFileManagerAdditions) tempPathWithFormat:]"),
                QStringLiteral("tempPathWithFormat returned nil"));
    return path;
}

} // namespace tz
