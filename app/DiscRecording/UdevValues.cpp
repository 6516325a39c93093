#include "app/DiscRecording/UdevValues.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/MediaKinds.h"

#include <algorithm>

namespace DiscRecording {

namespace {

QString property(const UdevValues& values, const QByteArray& name)
{
    return values.properties.value(name);
}

bool flag(const UdevValues& values, const QString& name)
{
    return property(values, name.toLatin1()) == u"1";
}

// An INQUIRY attribute, trimmed; else the udev property with its underscores turned back into
// blanks.
QString inquiryText(const UdevValues& values, const QString& attribute, const char* fallback)
{
    const QString text = attribute.trimmed();
    return text.isEmpty() ? property(values, fallback).replace(u'_', u' ').trimmed() : text;
}

// "usb", "ieee1394", "ata" or "scsi". A USB or FireWire parent decides first; a drive behind a
// libata port is "ata" even when udev's ID_BUS says "scsi" (ata_id skips older ATAPI drives).
QString busOf(const UdevValues& values)
{
    const QString bus = property(values, "ID_BUS");
    if (bus == u"usb" || bus == u"ieee1394")
        return bus;
    for (const QString& subsystem : values.parentSubsystems) {
        if (subsystem == u"usb")
            return QStringLiteral("usb");
        if (subsystem == u"firewire" || subsystem == u"ieee1394")
            return QStringLiteral("ieee1394");
    }
    if (bus == u"ata" || values.syspath.contains(QStringLiteral("/ata")))
        return QStringLiteral("ata");
    return QStringLiteral("scsi");
}

QString mediaState(const QString& udevState)
{
    if (udevState == u"blank")
        return DRDeviceMediaStateBlank;
    if (udevState == u"appendable")
        return DRDeviceMediaStateAppendable;
    if (udevState == u"complete")
        return DRDeviceMediaStateComplete;
    return DRDeviceMediaStateOther;
}

} // namespace

bool writesAnyKind(const UdevValues& values)
{
    if (!flag(values, QStringLiteral("ID_CDROM")))
        return false;
    return std::any_of(writeCapabilities().cbegin(), writeCapabilities().cend(), [&](const WriteCapability& c) {
        return flag(values, QStringLiteral("ID_CDROM_") + c.udevFlag);
    });
}

DriveInfo driveInfo(const UdevValues& values, const QString& path)
{
    DriveInfo info;
    info.vendor = inquiryText(values, values.scsiVendor, "ID_VENDOR");
    info.product = inquiryText(values, values.scsiModel, "ID_MODEL");
    info.firmwareRevision = inquiryText(values, values.scsiRevision, "ID_REVISION");
    info.serialNumber = property(values, "ID_SERIAL_SHORT");
    if (info.serialNumber.isEmpty())
        info.serialNumber = property(values, "ID_SCSI_SERIAL");
    info.path = path;
    const QString bus = busOf(values);
    if (bus == u"usb") {
        info.interconnect = DRDevicePhysicalInterconnectUSB;
        info.location = DRDevicePhysicalInterconnectLocationExternal;
    } else if (bus == u"ieee1394") {
        info.interconnect = DRDevicePhysicalInterconnectFireWire;
        info.location = DRDevicePhysicalInterconnectLocationExternal;
    } else if (bus == u"ata") {
        info.interconnect = flag(values, QStringLiteral("ID_ATA_SATA")) ? DRDevicePhysicalInterconnectSATA
                                                                        : DRDevicePhysicalInterconnectATAPI;
        info.location = DRDevicePhysicalInterconnectLocationInternal;
    } else {
        info.interconnect = DRDevicePhysicalInterconnectSCSI;
        info.location = DRDevicePhysicalInterconnectLocationUnknown;
    }
    for (const WriteCapability& capability : writeCapabilities()) {
        if (flag(values, QStringLiteral("ID_CDROM_") + capability.udevFlag))
            info.writes.insert(capability.key);
    }
    return info;
}

DriveState driveState(const UdevValues& values, bool trayOpen)
{
    DriveState state;
    state.trayOpen = trayOpen;
    state.mediaPresent = !trayOpen && flag(values, QStringLiteral("ID_CDROM_MEDIA"));
    if (state.mediaPresent) {
        for (const MediaProfile& profile : mediaProfiles()) {
            if (flag(values, QStringLiteral("ID_CDROM_MEDIA_") + profile.udevProfile))
                state.mediaType = profile.type;
        }
        state.mediaState = mediaState(property(values, "ID_CDROM_MEDIA_STATE"));
        state.sessions = property(values, "ID_CDROM_MEDIA_SESSION_COUNT").toLongLong();
        state.tracks = property(values, "ID_CDROM_MEDIA_TRACK_COUNT").toLongLong();
    }
    return state;
}

} // namespace DiscRecording
