// Owners, groups and what this process may do with an item.
#pragma once

#include "Carbon/FSVolumes.h"

namespace tz {

// The 16-byte permission record: owner, group, this process's access, the mode bits.
struct FSPermissionInfo
{
    quint32 userID = 0;
    quint32 groupID = 0;
    quint8 reserved1 = 0;
    quint8 userAccess = 0; // fsAccess* bits: what this process may do
    quint16 mode = 0;      // file type and permission bits
    quint32 reserved2 = 0;
};

inline constexpr quint8 fsAccessOwner = 0x80; // this process owns the item
inline constexpr quint8 fsAccessWrite = 0x04;
inline constexpr quint8 fsAccessRead = 0x02;
inline constexpr quint8 fsAccessSearch = 0x01; // enter a folder, run a file

// The privileges byte names what this process may NOT do: 0x80 not the owner, 0x04 no changes,
// 0x02 cannot see files (read), 0x01 cannot see folders (search). Either result may be left out.
[[nodiscard]] OSErr FSGetUserPrivilegesPermissions(const FSRef& ref, quint8* userPrivileges,
                                                   FSPermissionInfo* permissions);

inline constexpr quint32 fsOwnerIDToName = 1;
inline constexpr quint32 fsGroupIDToName = 2;
inline constexpr quint32 fsOwnerNameToID = 3;
inline constexpr quint32 fsGroupNameToID = 4;

// User and group names of the system's account database (volumes share it). -35 for no such
// volume, -50 without a result or for a kind that does not fit the function, -43 for an unknown
// identifier or name.
[[nodiscard]] OSErr FSMapID(FSVolumeRefNum volume, quint32 id, quint32 objType, QString* name);
[[nodiscard]] OSErr FSMapName(FSVolumeRefNum volume, const QString& name, quint32 objType, quint32* id);

} // namespace tz
