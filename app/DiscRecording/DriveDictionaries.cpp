#include "app/DiscRecording/DriveDictionaries.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/MediaKinds.h"

#include "Foundation/Number.h"
#include "Foundation/String.h"

namespace DiscRecording {
namespace {

void addText(QList<tz::Dictionary::Entry>& entries, const QString& key, const QString& value)
{
    if (!value.isEmpty())
        entries.append({tz::str(key), tz::str(value)});
}

} // namespace

tz::DictionaryPtr infoDictionary(const DriveInfo& info)
{
    QList<tz::Dictionary::Entry> entries;
    addText(entries, DRDeviceVendorNameKey, info.vendor);
    addText(entries, DRDeviceProductNameKey, info.product);
    addText(entries, DRDeviceFirmwareRevisionKey, info.firmwareRevision);
    addText(entries, DRDeviceSerialNumberKey, info.serialNumber);
    addText(entries, DRDevicePathKey, info.path);
    addText(entries, DRDevicePhysicalInterconnectKey, info.interconnect);
    addText(entries, DRDevicePhysicalInterconnectLocationKey, info.location);
    QList<tz::Dictionary::Entry> capabilities;
    for (const WriteCapability& capability : writeCapabilities())
        capabilities.append({tz::str(capability.key), tz::boolean(info.writes.contains(capability.key))});
    entries.append({tz::str(DRDeviceWriteCapabilitiesKey), tz::Dictionary::make(capabilities)});
    return tz::Dictionary::make(entries);
}

tz::DictionaryPtr statusDictionary(const DriveState& state)
{
    QList<tz::Dictionary::Entry> entries{
        {tz::str(DRDeviceIsTrayOpenKey), tz::boolean(state.trayOpen)},
        {tz::str(DRDeviceMediaPresentKey), tz::boolean(state.mediaPresent)},
    };
    if (!state.mediaPresent) {
        entries.append({tz::str(DRDeviceMediaStateKey), tz::str(DRDeviceMediaStateNone)});
        return tz::Dictionary::make(entries);
    }
    entries.append({tz::str(DRDeviceMediaTypeKey),
                    tz::str(state.mediaType.isEmpty() ? DRDeviceMediaTypeUnknown : state.mediaType)});
    entries.append({tz::str(DRDeviceMediaStateKey),
                    tz::str(state.mediaState.isEmpty() ? DRDeviceMediaStateOther : state.mediaState)});
    entries.append({tz::str(DRDeviceMediaSessionCountKey), tz::num(state.sessions)});
    entries.append({tz::str(DRDeviceMediaTrackCountKey), tz::num(state.tracks)});
    entries.append({tz::str(DRDeviceMediaIsMountedKey), tz::boolean(state.mounted)});
    if (state.mounted && !state.mountPoint.isEmpty())
        entries.append({tz::str(DRDeviceMountPointKey), tz::str(state.mountPoint)});
    return tz::Dictionary::make(entries);
}

} // namespace DiscRecording
