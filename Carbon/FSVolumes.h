// Volumes are the mounts of /proc/self/mountinfo; a volume's number is the kernel's mount ID.
// A mount hidden under a later mount on the same folder cannot be reached and is left out.
#pragma once

#include "Carbon/FSRef.h"

#include <QList>

namespace tz {

using FSVolumeRefNum = qint32;

// The volume (mount) holding the item; a link counts on its own folder's mount.
[[nodiscard]] OSErr FSGetVRefNum(const FSRef& ref, FSVolumeRefNum* vRefNum);
// The volume's name (its mount point's last component, "/" for the root), its free bytes (as
// available to this process) and its total bytes; each may be left out. -35 for no such volume.
[[nodiscard]] OSErr FSGetVInfo(FSVolumeRefNum volume, QString* volumeName, quint64* freeBytes, quint64* totalBytes);
// The root folder of every reachable volume, in mount order. -50 without `volumeRefs` or `count`;
// on failure the list is empty and the count 0.
[[nodiscard]] OSErr FSGetMountedVolumes(QList<FSRef>* volumeRefs, qsizetype* count);

} // namespace tz
