// The machine's optical recorders through libudev and the kernel's cdrom ioctls.
//
// A recorder is a block disk with ID_CDROM=1 that cdrom_id says can write at least one medium
// kind; drives are named by their device node and listed in node order (sr0, sr1, ..., sr10).
// Vendor, product and revision come from the SCSI device's INQUIRY attributes in sysfs (ATA
// drives have no ID_VENDOR), falling back to udev's ID_VENDOR, ID_MODEL and ID_REVISION.
// A udev monitor on the event loop reports add, remove and media change/eject-request
// uevents; opening or closing an empty tray sends no uevent, so while anyone observes, the
// tray state of each drive is polled (one ioctl per drive per interval).
#pragma once

#include "app/DiscRecording/DriveBackend.h"

#include <QHash>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <memory>
#include <vector>

struct udev;
struct udev_device;
struct udev_monitor;

class LinuxDriveBackend final : public DriveBackend
{
    Q_OBJECT
public:
    explicit LinuxDriveBackend(QObject* parent = nullptr);
    ~LinuxDriveBackend() override;

    [[nodiscard]] QStringList drives() override;
    [[nodiscard]] tz::DictionaryPtr info(const QString& drive) override;
    [[nodiscard]] tz::DictionaryPtr status(const QString& drive) override;
    [[nodiscard]] bool trayIsOpen(const QString& drive) override;
    bool closeTray(const QString& drive) override;
    // Unlocks the door first (udev locks it while a disc is in); busy or gone gives false.
    bool ejectMedia(const QString& drive) override;
    void setObserved(bool observed) override;

    // 2 s unless changed.
    void setPollInterval(std::chrono::milliseconds interval) { _poll.setInterval(interval); }

private:
    struct UdevDeviceUnref
    {
        void operator()(udev_device* device) const;
    };
    using UdevDevice = std::unique_ptr<udev_device, UdevDeviceUnref>;

    [[nodiscard]] std::vector<UdevDevice> recorders() const;
    [[nodiscard]] UdevDevice recorder(const QString& node) const;
    void receiveUevents();
    void pollTrays();

    udev* _udev = nullptr;
    udev_monitor* _monitor = nullptr;
    std::unique_ptr<QSocketNotifier> _notifier;
    QStringList _known; // nodes announced to observers
    QTimer _poll;
    QHash<QString, bool> _trayOpen; // last polled state of each drive
};
