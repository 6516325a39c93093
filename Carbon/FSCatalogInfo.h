// Catalogue information of an item: what stat, statx and the AppleDouble companion tell, selected
// by the bit mask of the fields wanted. Settable here: permissions (owner, group, mode), access
// and content-modification dates, Finder information; creation and attribute-modification dates,
// the backup date, node flags and the text encoding are read-only (a set of them is ignored).
#pragma once

#include "Carbon/FSRef.h"

#include <QByteArray>

namespace tz {

inline constexpr quint32 fsCatInfoTextEncoding = 0x0001;
inline constexpr quint32 fsCatInfoNodeFlags = 0x0002;
inline constexpr quint32 fsCatInfoVolume = 0x0004;
inline constexpr quint32 fsCatInfoParentDirID = 0x0008;
inline constexpr quint32 fsCatInfoNodeID = 0x0010;
inline constexpr quint32 fsCatInfoCreateDate = 0x0020;
inline constexpr quint32 fsCatInfoContentMod = 0x0040;
inline constexpr quint32 fsCatInfoAttrMod = 0x0080;
inline constexpr quint32 fsCatInfoAccessDate = 0x0100;
inline constexpr quint32 fsCatInfoBackupDate = 0x0200;
inline constexpr quint32 fsCatInfoPermissions = 0x0400;
inline constexpr quint32 fsCatInfoFinderInfo = 0x0800;
inline constexpr quint32 fsCatInfoFinderXInfo = 0x1000;
inline constexpr quint32 fsCatInfoValence = 0x2000;
inline constexpr quint32 fsCatInfoDataSizes = 0x4000;
inline constexpr quint32 fsCatInfoRsrcSizes = 0x8000;
inline constexpr quint32 fsCatInfoSettableInfo = 0x1FE3;

inline constexpr quint16 fsNodeLockedMask = 0x0001; // immutable attribute
inline constexpr quint16 fsNodeIsDirectoryMask = 0x0010;

struct FSDate
{
    qint64 seconds = 0; // since 1970-01-01 UTC
    qint64 nanoseconds = 0;
    friend bool operator==(const FSDate&, const FSDate&) = default;
};

struct FSCatalogInfo
{
    quint16 nodeFlags = 0;
    qint32 volume = 0;       // mount ID
    quint64 parentDirID = 0; // the parent folder's inode (0 for the root)
    quint64 nodeID = 0;
    FSDate createDate; // birth time where the file system keeps one
    FSDate contentModDate;
    FSDate attributeModDate;
    FSDate accessDate;
    FSDate backupDate; // always zero
    quint32 userID = 0;
    quint32 groupID = 0;
    quint32 mode = 0;         // permission bits and file type
    QByteArray finderInfo;    // 16 bytes
    QByteArray extFinderInfo; // 16 bytes
    quint32 valence = 0;      // items in a folder
    quint64 dataLogicalSize = 0;
    quint64 dataPhysicalSize = 0;
    quint64 rsrcLogicalSize = 0;
    quint64 rsrcPhysicalSize = 0;
};

// Fills the fields `whichInfo` selects. -50 without `info`; -36 for an unreadable companion
// when Finder information or resource sizes are wanted.
[[nodiscard]] OSErr FSGetCatalogInfo(const FSRef& ref, quint32 whichInfo, FSCatalogInfo* info);
// Writes the settable fields `whichInfo` selects; the first failing status.
[[nodiscard]] OSErr FSSetCatalogInfo(const FSRef& ref, quint32 whichInfo, const FSCatalogInfo& info);

// Copies the settable information of `source` onto `destination`, less the has-been-initialised
// Finder flag (0x0100); the lock (immutable attribute) is copied only with `copyLockBit`.
[[nodiscard]] OSErr FSCopyFileMgrAttributes(const FSRef& source, const FSRef& destination, bool copyLockBit);

} // namespace tz
