// Conveniences of the file manager: its enumerator and attribute dictionaries, existence tests
// that tell folders from file packages, one getter per attribute, folder sizes and fresh
// temporary paths. Paths are used as given; an empty path names nothing.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Date.h"
#include "Foundation/Dictionary.h"
#include "Foundation/Number.h"
#include "Foundation_Additions/NSFileManager/DirectoryEnumerator.h"
#include "Foundation_Additions/NSFileManager/FileAttributes.h"

#include <QString>

#include <memory>

namespace tz {

// Sizes are counted in whole blocks of this many bytes.
inline constexpr quint64 allocationBlockSize = 4096;
// The key of an item record that holds the item's full path.
inline const QString tzPathKey = QStringLiteral("TzPath");

// Everything below the path (see DirectoryEnumerator for the order); none for no folder.
[[nodiscard]] std::unique_ptr<DirectoryEnumerator> enumeratorAtPath(const QString& path);
// The item's attribute dictionary (see FileAttributes.h); with traverseLink a symbolic link at
// the path is followed, and the Finder information is the target's. None when it cannot be read.
[[nodiscard]] DictionaryPtr fileAttributesAtPathTraverseLink(const QString& path, bool traverseLink);

// Links followed: false for a broken link. isDirectory, when given, is false when nothing is there.
[[nodiscard]] bool fileExistsAtPath(const QString& path);
[[nodiscard]] bool fileExistsAtPathIsDirectory(const QString& path, bool* isDirectory);
// A folder that is not a file package (tz::workspace::isFilePackage).
[[nodiscard]] bool folderExistsAtPath(const QString& path);
[[nodiscard]] bool filePackageExistsAtPath(const QString& path);

// The value of the key in the attribute dictionary of the path, a link at the path followed;
// none when the item cannot be read or has no such attribute.
[[nodiscard]] Id fileAttributeAtPath(const QString& key, const QString& path);
[[nodiscard]] std::shared_ptr<const Date> fileModificationDateAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Date> fileCreationDateAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileSizeAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileHFSCreatorCodeAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileHFSTypeCodeAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> filePosixPermissionsAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileOwnerAccountIDAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileGroupOwnerAccountIDAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileImmutableAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileAppendOnlyAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileReferenceCountAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileDeviceIdentifierAtPath(const QString& path);
[[nodiscard]] std::shared_ptr<const Number> fileSystemFileNumberAtPath(const QString& path);
// Text attributes; null for none.
[[nodiscard]] QString fileOwnerAccountNameAtPath(const QString& path);
[[nodiscard]] QString fileGroupOwnerAccountNameAtPath(const QString& path);
[[nodiscard]] QString fileTypeAtPath(const QString& path);

// The bytes below a folder, each item that is not a folder (links included) rounded up to whole
// allocation blocks: 0 bytes add 0, 1 to 4096 add 4096. An item's path is the folder's joined
// with its enumerated one, resolved through links when resolvingAliases; its status is read
// without following a link at that path; an item that cannot be read adds 0. 0 for no folder.
[[nodiscard]] quint64 directorySize64ResolvingAliases(const QString& path, bool resolvingAliases);
// The same; when *items holds an array, it is replaced by one holding its elements followed by
// a record of each counted item in walk order (its attribute dictionary with tzPathKey set to
// its path). Left alone when it holds none, when items is null, or when nothing was counted.
[[nodiscard]] quint64 directorySize64ItemsResolvingAliases(const QString& path, std::shared_ptr<const Array>* items,
                                                           bool resolvingAliases);
// The 32-bit counts: a sum beyond 0xFFFFFFFF gives 0xFFFFFFFF (never a wrapped value).
[[nodiscard]] quint32 directorySizeResolvingAliases(const QString& path, bool resolvingAliases);
[[nodiscard]] quint32 directorySizeItemsResolvingAliases(const QString& path, std::shared_ptr<const Array>* items,
                                                         bool resolvingAliases);

// A path in QDir::tempPath() at which nothing (not even a broken link) exists yet: the format
// filled with a new UUID string, tried again with another UUID while something is there.
// Nothing is created. Null, with the log line "tempPathWithFormat returned nil", for a null
// format, or for one without placeholder whose one name is taken.
[[nodiscard]] QString tempPathWithFormat(const QString& format);

} // namespace tz
