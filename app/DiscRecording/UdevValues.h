// What the udev backend reads about a drive, as plain values, and what it makes of them: the
// recorder test, the information and the medium's status (see LinuxDriveBackend.h). Apart
// from libudev, so that any values can be checked.
#pragma once

#include "app/DiscRecording/DriveDictionaries.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>

namespace DiscRecording {

struct UdevValues
{
    QHash<QByteArray, QString> properties; // udev properties (ID_CDROM, ID_VENDOR, ...)
    QString scsiVendor;                    // INQUIRY attributes of the SCSI parent; empty without one
    QString scsiModel;
    QString scsiRevision;
    QStringList parentSubsystems; // nearest parent first
    QString syspath;
};

// ID_CDROM=1 and cdrom_id says the drive writes at least one known medium kind.
[[nodiscard]] bool writesAnyKind(const UdevValues& values);
// Vendor, product, revision, serial number, interconnect, location and write capabilities;
// path is the drive's device node.
[[nodiscard]] DriveInfo driveInfo(const UdevValues& values, const QString& path);
// The medium's presence, type, state and counts for a tray that is open or not; the mount flag
// is the caller's.
[[nodiscard]] DriveState driveState(const UdevValues& values, bool trayOpen);

} // namespace DiscRecording
