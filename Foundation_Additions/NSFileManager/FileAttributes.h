// Attribute dictionaries of files: the keys and file types (each text equals its constant's
// name), and the dictionary of one item made from its statx record, its Finder information
// (the AppleDouble companion) and the user database.
#pragma once

#include "Foundation/Dictionary.h"

#include <QHash>
#include <QString>

#include <sys/stat.h>

// Keys
extern const QString NSFileType;
extern const QString NSFileSize;
extern const QString NSFileModificationDate;
extern const QString NSFileCreationDate;
extern const QString NSFileReferenceCount;
extern const QString NSFileDeviceIdentifier;
extern const QString NSFileSystemNumber;
extern const QString NSFileSystemFileNumber;
extern const QString NSFilePosixPermissions;
extern const QString NSFileOwnerAccountID;
extern const QString NSFileGroupOwnerAccountID;
extern const QString NSFileOwnerAccountName;
extern const QString NSFileGroupOwnerAccountName;
extern const QString NSFileImmutable;
extern const QString NSFileAppendOnly;
extern const QString NSFileHFSCreatorCode;
extern const QString NSFileHFSTypeCode;

// Values of NSFileType
extern const QString NSFileTypeDirectory;
extern const QString NSFileTypeRegular;
extern const QString NSFileTypeSymbolicLink;
extern const QString NSFileTypeSocket;
extern const QString NSFileTypeCharacterSpecial;
extern const QString NSFileTypeBlockSpecial;
extern const QString NSFileTypeUnknown; // a FIFO, or a type the system does not name

namespace tz {

// User and group names already looked up, for a walk that builds many dictionaries.
struct AccountNames
{
    QHash<quint32, QString> users;
    QHash<quint32, QString> groups;
};

// The status of the item at the path through statx, with the basic fields and the birth time
// asked for; false when it cannot be read. traverseLink follows a symbolic link at the path.
[[nodiscard]] bool statusOfItem(const QString& path, bool traverseLink, struct statx* status);

// The dictionary of the item whose status this is, keys in the order above:
//   NSFileType             one of the type values
//   NSFileSize             unsigned 64-bit byte count
//   NSFileModificationDate the content-modification date
//   NSFileCreationDate     the birth time; absent where the file system keeps none
//   NSFileReferenceCount   the number of hard links
//   NSFileDeviceIdentifier the device a character or block special file names; absent otherwise
//   NSFileSystemNumber     the device holding the item
//   NSFileSystemFileNumber the inode number
//   NSFilePosixPermissions the permission bits with set-user-ID, set-group-ID and sticky (07777)
//   NSFileOwnerAccountID, NSFileGroupOwnerAccountID         unsigned 32-bit
//   NSFileOwnerAccountName, NSFileGroupOwnerAccountName     absent when the database has none
//   NSFileImmutable, NSFileAppendOnly                       booleans (false when unknown)
//   NSFileHFSTypeCode, NSFileHFSCreatorCode  unsigned 32-bit, from the Finder information of a
//                          file that has a companion; absent for folders and without companion
// `path` names the item itself (for its companion and attribute flags); names, when given,
// keeps the looked-up account names for the next call.
[[nodiscard]] DictionaryPtr fileAttributesFromStatus(const struct statx& status, const QString& path,
                                                     AccountNames* names = nullptr);

} // namespace tz
