#include "app/DiscRecording/LinuxDriveBackend.h"

#include "app/DiscRecording/CdromIoctl.h"
#include "app/DiscRecording/DriveDictionaries.h"
#include "app/DiscRecording/DriveLog.h"
#include "app/DiscRecording/MountTable.h"
#include "app/DiscRecording/UdevValues.h"

#include <QFile>

#include <libudev.h>
#include <linux/cdrom.h>

#include <algorithm>

using namespace DiscRecording;
using namespace std::chrono_literals;

namespace {

QString node(udev_device* device)
{
    return QString::fromUtf8(udev_device_get_devnode(device));
}

QString udevProperty(udev_device* device, const char* name)
{
    return QString::fromUtf8(udev_device_get_property_value(device, name));
}

QHash<QByteArray, QString> propertiesOf(udev_device* device)
{
    QHash<QByteArray, QString> properties;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_device_get_properties_list_entry(device))
    {
        properties.insert(QByteArray(udev_list_entry_get_name(entry)),
                          QString::fromUtf8(udev_list_entry_get_value(entry)));
    }
    return properties;
}

// What the information and the status read from udev.
UdevValues valuesOf(udev_device* device)
{
    UdevValues values;
    values.properties = propertiesOf(device);
    if (udev_device* scsi = udev_device_get_parent_with_subsystem_devtype(device, "scsi", "scsi_device")) {
        values.scsiVendor = QString::fromUtf8(udev_device_get_sysattr_value(scsi, "vendor"));
        values.scsiModel = QString::fromUtf8(udev_device_get_sysattr_value(scsi, "model"));
        values.scsiRevision = QString::fromUtf8(udev_device_get_sysattr_value(scsi, "rev"));
    }
    for (udev_device* p = udev_device_get_parent(device); p; p = udev_device_get_parent(p))
        values.parentSubsystems.append(QString::fromUtf8(udev_device_get_subsystem(p)));
    values.syspath = QString::fromUtf8(udev_device_get_syspath(device));
    return values;
}

bool isRecorder(udev_device* device)
{
    if (qstrcmp(udev_device_get_devtype(device), "disk") != 0 || !udev_device_get_devnode(device))
        return false;
    UdevValues values;
    values.properties = propertiesOf(device);
    return writesAnyKind(values);
}

// sr2 before sr10.
bool nodeLess(const QString& a, const QString& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
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
    // Straight to the node's sysfs entry: no enumeration per request.
    if (!_udev || !drive.startsWith(QStringLiteral("/dev/")))
        return nullptr;
    const QByteArray name = QFile::encodeName(drive.mid(5));
    UdevDevice device(udev_device_new_from_subsystem_sysname(_udev, "block", name.constData()));
    if (!device || !isRecorder(device.get()) || node(device.get()) != drive)
        return nullptr;
    return device;
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
    return infoDictionary(driveInfo(valuesOf(device.get()), drive));
}

tz::DictionaryPtr LinuxDriveBackend::status(const QString& drive)
{
    const UdevDevice device = recorder(drive);
    if (!device)
        return nullptr;
    udev_device* d = device.get();
    DriveState state = driveState(valuesOf(d), cdromIoctl(drive, CDROM_DRIVE_STATUS, CDSL_CURRENT) == CDS_TRAY_OPEN);
    if (state.mediaPresent) {
        state.mountPoint = deviceMountPoint(udev_device_get_devnum(d));
        state.mounted = !state.mountPoint.isNull() || isDeviceMounted(udev_device_get_devnum(d));
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
