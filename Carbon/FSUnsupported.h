// File-manager functions with no counterpart on Linux. Each answers -50 (fsNotSupported), the
// status a volume gives for what it cannot do, and leaves its results untouched:
// - mount records and remounting from them (FSGetVolMountInfoSize, FSGetVolMountInfo,
//   FSVolumeMount): mounting needs privileges and options no record here could carry;
// - file identifiers (FSCreateFileIDRef, FSResolveFileIDRef), directory identifiers
//   (FSMakeFSRef, FSMakePath) and the older file specifications built on them (FSRefMakeFSSpec,
//   FSPathMakeFSSpec): an inode number does not lead back to a path;
// - shared-folder access rights (FSGetDirAccess, FSSetDirAccess): no file-sharing server;
// - server-side copies (FSCopyFile): no volume copies files itself;
// - file-system identifiers and signatures (FSGetVolFileSystemID) and volume parameters
//   (FSGetVolParms): they describe the older platform's volume formats; the exchange of two files
//   finds out whether a file system can do it natively by trying.
#pragma once

#include "Carbon/FSVolumes.h"

#include <QByteArray>

namespace tz {

// The older file specification: volume, parent folder identifier, name (a length byte and text).
struct FSSpec
{
    FSVolumeRefNum vRefNum = 0;
    quint64 parID = 0;
    QByteArray name;
};

[[nodiscard]] OSErr FSGetVolMountInfoSize(FSVolumeRefNum volume, quint32* size);
[[nodiscard]] OSErr FSGetVolMountInfo(FSVolumeRefNum volume, QByteArray* mountInfo);
[[nodiscard]] OSErr FSVolumeMount(const QByteArray& mountInfo, FSVolumeRefNum* volume);
[[nodiscard]] OSErr FSCreateFileIDRef(const FSRef& ref, quint32* fileID);
[[nodiscard]] OSErr FSResolveFileIDRef(FSVolumeRefNum volume, quint32 fileID, FSRef* ref);
[[nodiscard]] OSErr FSMakeFSRef(FSVolumeRefNum volume, quint64 dirID, const QString& name, FSRef* ref);
[[nodiscard]] OSErr FSMakePath(FSVolumeRefNum volume, quint64 dirID, const QString& name, QByteArray* path,
                               qsizetype maxPathSize);
[[nodiscard]] OSErr FSRefMakeFSSpec(const FSRef& ref, FSSpec* spec);
[[nodiscard]] OSErr FSPathMakeFSSpec(const QString& path, FSSpec* spec, bool* isDirectory);
[[nodiscard]] OSErr FSGetDirAccess(const FSRef& ref, quint32* ownerID, quint32* groupID, quint32* accessRights);
[[nodiscard]] OSErr FSSetDirAccess(const FSRef& ref, quint32 ownerID, quint32 groupID, quint32 accessRights);
[[nodiscard]] OSErr FSCopyFile(const FSRef& source, const FSRef& destDirectory, const QString& newName,
                               quint32 textEncodingHint, FSRef* newRef);
[[nodiscard]] OSErr FSGetVolFileSystemID(FSVolumeRefNum volume, quint16* fileSystemID, quint16* signature);
[[nodiscard]] OSErr FSGetVolParms(FSVolumeRefNum volume, quint32 bufferSize, QByteArray* volParmsInfo,
                                  quint32* actualInfoSize);

} // namespace tz
