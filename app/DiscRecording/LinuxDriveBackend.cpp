#include "app/DiscRecording/LinuxDriveBackend.h"

#include "app/DiscRecording/CdromIoctl.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveDictionaries.h"
#include "app/DiscRecording/DriveLog.h"
#include "app/DiscRecording/MediaKinds.h"
#include "app/DiscRecording/MountTable.h"

#include <libudev.h>
#include <linux/cdrom.h>

#include <algorithm>

using namespace DiscRecording;
using namespace std::chrono_literals;

namespace {

QString udevProperty(udev_device* device, const char* name)
{
    return QString::fromUtf8(udev_device_get_property_value(device, name));
}

bool flag(udev_device* device, const QString& name)
{
    return udevProperty(device, name.toLatin1().constData()) == u"1";
}

QString node(udev_device* device)
{
    return QString::fromUtf8(udev_device_get_devnode(device));
}

bool isRecorder(udev_device* device)
{
    if (qstrcmp(udev_device_get_devtype(device), "disk") != 0 || !udev_device_get_devnode(device)
        || !flag(device, QStringLiteral("ID_CDROM")))
        return false;
    return std::any_of(writeCapabilities().cbegin(), writeCapabilities().cend(), [device](const WriteCapability& c) {
        return flag(device, QStringLiteral("ID_CDROM_") + c.udevFlag);
    });
}

// sr2 before sr10.
bool nodeLess(const QString& a, const QString& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// An INQUIRY attribute of the SCSI device, trimmed; else the udev property with its
// underscores turned back into blanks.
QString inquiryText(udev_device* device, udev_device* scsi, const char* attribute, const char* fallback)
{
    const QString text = scsi ? QString::fromUtf8(udev_device_get_sysattr_value(scsi, attribute)).trimmed() : QString();
    return text.isEmpty() ? udevProperty(device, fallback).replace(u'_', u' ').trimmed() : text;
}

// "usb", "ieee1394", "ata" or "scsi": udev's ID_BUS, else what the device's parents are.
QString busOf(udev_device* device)
{
    const QString bus = udevProperty(device, "ID_BUS");
    if (!bus.isEmpty())
        return bus;
    for (udev_device* p = udev_device_get_parent(device); p; p = udev_device_get_parent(p)) {
        const QByteArray subsystem = udev_device_get_subsystem(p);
        if (subsystem == "usb")
            return QStringLiteral("usb");
        if (subsystem == "firewire" || subsystem == "ieee1394")
            return QStringLiteral("ieee1394");
    }
    return QString::fromUtf8(udev_device_get_syspath(device)).contains(u"/ata") ? QStringLiteral("ata")
                                                                                : QStringLiteral("scsi");
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

void LinuxDriveBackend::UdevDeviceUnref::operator()(udev_device* device) const
{
    udev_device_unref(device);
}

LinuxDriveBackend::LinuxDriveBackend(QObject* parent) : DriveBackend(parent), _udev(udev_new())
{
    _poll.setInterval(2s);
    connect(&_poll, &QTimer::timeout, this, &LinuxDriveBackend::pollTrays);
    if (!_udev) {
        qCWarning(lcDrives) << "udev is not available: no drives";
        return;
    }
    _monitor = udev_monitor_new_from_netlink(_udev, "udev");
    if (_monitor && udev_monitor_filter_add_match_subsystem_devtype(_monitor, "block", "disk") >= 0
        && udev_monitor_enable_receiving(_monitor) >= 0) {
        _notifier = std::make_unique<QSocketNotifier>(udev_monitor_get_fd(_monitor), QSocketNotifier::Read);
        connect(_notifier.get(), &QSocketNotifier::activated, this, &LinuxDriveBackend::receiveUevents);
    } else {
        qCWarning(lcDrives) << "cannot watch udev events: drives are listed but not followed";
    }
    _known = drives();
}

LinuxDriveBackend::~LinuxDriveBackend()
{
    _notifier.reset();
    udev_monitor_unref(_monitor);
    udev_unref(_udev);
}

std::vector<LinuxDriveBackend::UdevDevice> LinuxDriveBackend::recorders() const
{
    std::vector<UdevDevice> list;
    if (!_udev)
        return list;
    udev_enumerate* enumerate = udev_enumerate_new(_udev);
    udev_enumerate_add_match_subsystem(enumerate, "block");
    udev_enumerate_add_match_property(enumerate, "ID_CDROM", "1");
    udev_enumerate_scan_devices(enumerate);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate))
    {
        UdevDevice device(udev_device_new_from_syspath(_udev, udev_list_entry_get_name(entry)));
        if (device && isRecorder(device.get()))
            list.push_back(std::move(device));
    }
    udev_enumerate_unref(enumerate);
    std::sort(list.begin(), list.end(),
              [](const UdevDevice& a, const UdevDevice& b) { return nodeLess(node(a.get()), node(b.get())); });
    return list;
}

LinuxDriveBackend::UdevDevice LinuxDriveBackend::recorder(const QString& drive) const
{
    for (UdevDevice& device : recorders()) {
        if (node(device.get()) == drive)
            return std::move(device);
    }
    return nullptr;
}

QStringList LinuxDriveBackend::drives()
{
    QStringList list;
    for (const UdevDevice& device : recorders())
        list.append(node(device.get()));
    return list;
}

tz::DictionaryPtr LinuxDriveBackend::info(const QString& drive)
{
    const UdevDevice device = recorder(drive);
    if (!device)
        return nullptr;
    udev_device* d = device.get();
    udev_device* scsi = udev_device_get_parent_with_subsystem_devtype(d, "scsi", "scsi_device");
    DriveInfo info;
    info.vendor = inquiryText(d, scsi, "vendor", "ID_VENDOR");
    info.product = inquiryText(d, scsi, "model", "ID_MODEL");
    info.firmwareRevision = inquiryText(d, scsi, "rev", "ID_REVISION");
    info.serialNumber = udevProperty(d, "ID_SERIAL_SHORT");
    if (info.serialNumber.isEmpty())
        info.serialNumber = udevProperty(d, "ID_SCSI_SERIAL");
    info.path = drive;
    const QString bus = busOf(d);
    if (bus == u"usb") {
        info.interconnect = DRDevicePhysicalInterconnectUSB;
        info.location = DRDevicePhysicalInterconnectLocationExternal;
    } else if (bus == u"ieee1394") {
        info.interconnect = DRDevicePhysicalInterconnectFireWire;
        info.location = DRDevicePhysicalInterconnectLocationExternal;
    } else if (bus == u"ata") {
        info.interconnect = flag(d, QStringLiteral("ID_ATA_SATA")) ? DRDevicePhysicalInterconnectSATA
                                                                   : DRDevicePhysicalInterconnectATAPI;
        info.location = DRDevicePhysicalInterconnectLocationInternal;
    } else {
        info.interconnect = DRDevicePhysicalInterconnectSCSI;
        info.location = DRDevicePhysicalInterconnectLocationUnknown;
    }
    for (const WriteCapability& capability : writeCapabilities()) {
        if (flag(d, QStringLiteral("ID_CDROM_") + capability.udevFlag))
            info.writes.insert(capability.key);
    }
    return infoDictionary(info);
}

tz::DictionaryPtr LinuxDriveBackend::status(const QString& drive)
{
    const UdevDevice device = recorder(drive);
    if (!device)
        return nullptr;
    udev_device* d = device.get();
    DriveState state;
    state.trayOpen = cdromIoctl(drive, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_TRAY_OPEN;
    state.mediaPresent = !state.trayOpen && flag(d, QStringLiteral("ID_CDROM_MEDIA"));
    if (state.mediaPresent) {
        for (const MediaProfile& profile : mediaProfiles()) {
            if (flag(d, QStringLiteral("ID_CDROM_MEDIA_") + profile.udevProfile))
                state.mediaType = profile.type;
        }
        state.mediaState = mediaState(udevProperty(d, "ID_CDROM_MEDIA_STATE"));
        state.sessions = udevProperty(d, "ID_CDROM_MEDIA_SESSION_COUNT").toLongLong();
        state.tracks = udevProperty(d, "ID_CDROM_MEDIA_TRACK_COUNT").toLongLong();
        state.mounted = isDeviceMounted(udev_device_get_devnum(d));
    }
    return statusDictionary(state);
}

bool LinuxDriveBackend::trayIsOpen(const QString& drive)
{
    return cdromIoctl(drive, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_TRAY_OPEN;
}

bool LinuxDriveBackend::closeTray(const QString& drive)
{
    return recorder(drive) && cdromIoctl(drive, CDROMCLOSETRAY) >= 0;
}

bool LinuxDriveBackend::ejectMedia(const QString& drive)
{
    if (!recorder(drive))
        return false;
    // A failed unlock is no reason not to try: the eject reports what matters.
    (void)cdromIoctl(drive, CDROM_LOCKDOOR, 0);
    const int result = cdromIoctl(drive, CDROMEJECT);
    if (result < 0)
        qCInfo(lcDrives) << "eject of" << drive << "failed:" << qt_error_string(-result);
    return result >= 0;
}

void LinuxDriveBackend::receiveUevents()
{
    while (UdevDevice device{udev_monitor_receive_device(_monitor)}) {
        udev_device* d = device.get();
        const QByteArray action = udev_device_get_action(d);
        const QString drive = node(d);
        if (drive.isEmpty())
            continue;
        const bool known = _known.contains(drive);
        if (action == "remove") {
            if (known) {
                _known.removeAll(drive);
                _trayOpen.remove(drive);
                Q_EMIT driveDisappeared(drive);
            }
        } else if (!known) {
            if ((action == "add" || action == "change") && isRecorder(d)) {
                _known.append(drive);
                Q_EMIT driveAppeared(drive);
            }
        } else if (action == "change"
                   && (udevProperty(d, "DISK_MEDIA_CHANGE") == u"1" || udevProperty(d, "DISK_EJECT_REQUEST") == u"1")) {
            Q_EMIT driveStatusChanged(drive);
        }
    }
}

void LinuxDriveBackend::setObserved(bool observed)
{
    if (observed == _poll.isActive())
        return;
    _trayOpen.clear();
    if (observed) {
        pollTrays();
        _poll.start();
    } else {
        _poll.stop();
    }
}

void LinuxDriveBackend::pollTrays()
{
    for (const QString& drive : std::as_const(_known)) {
        const bool open = cdromIoctl(drive, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_TRAY_OPEN;
        const auto last = _trayOpen.constFind(drive);
        const bool changed = last != _trayOpen.cend() && *last != open;
        _trayOpen.insert(drive, open);
        if (changed)
            Q_EMIT driveStatusChanged(drive);
    }
}
