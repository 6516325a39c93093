// The information and status dictionaries every backend hands out, built from plain fields
// so that all backends list the same keys in the same order.
#pragma once

#include "Foundation/Dictionary.h"

#include <QSet>

namespace DiscRecording {

struct DriveInfo
{
    QString vendor;
    QString product;
    QString firmwareRevision;
    QString serialNumber;
    QString path;
    QString interconnect; // a DRDevicePhysicalInterconnect value; left out when null
    QString location;     // a DRDevicePhysicalInterconnectLocation value
    QSet<QString> writes; // DRDeviceCanWrite... keys the drive can write
};

struct DriveState
{
    bool trayOpen = false;
    bool mediaPresent = false;
    QString mediaType;  // a DRDeviceMediaType value, for present media
    QString mediaState; // a DRDeviceMediaState value, for present media
    std::int64_t sessions = 0;
    std::int64_t tracks = 0;
    bool mounted = false;
    QString mountPoint; // where a mounted medium is mounted, when known
};

// Vendor, product, firmware revision and serial number (each left out when empty), path,
// interconnect, location, and the write capabilities: every known kind with a boolean.
[[nodiscard]] tz::DictionaryPtr infoDictionary(const DriveInfo& info);
// Tray and media presence always; type, state, session and track counts and the mount flag
// only with media present, else the state DRDeviceMediaStateNone; the mount point of a mounted
// medium when it is known.
[[nodiscard]] tz::DictionaryPtr statusDictionary(const DriveState& state);

} // namespace DiscRecording
