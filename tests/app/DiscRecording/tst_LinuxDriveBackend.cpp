// The udev backend against umockdev: real libudev over a mocked sysfs, udev database,
// uevents and cdrom ioctls. Runs with libumockdev-preload in LD_PRELOAD.
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DRDevice.h"
#include "app/DiscRecording/DriveService.h"
#include "app/DiscRecording/LinuxDriveBackend.h"
#include "DriveEventLog.h"
#include "support/PostedEvents.h"

#include "Foundation/String.h"

#include <umockdev.h>

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>
#include <QTimer>

#include <linux/cdrom.h>

#include <algorithm>
#include <atomic>
#include <optional>
#include <cerrno>
#include <thread>

using namespace std::chrono_literals;

namespace {

const char* const sataDrive = R"(P: /devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0
N: sr0
E: DEVNAME=/dev/sr0
E: DEVTYPE=disk
E: SUBSYSTEM=block
E: MAJOR=11
E: MINOR=0
A: dev=11:0
E: ID_CDROM=1
E: ID_CDROM_CD=1
E: ID_CDROM_CD_R=1
E: ID_CDROM_CD_RW=1
E: ID_CDROM_DVD=1
E: ID_CDROM_DVD_R=1
E: ID_CDROM_DVD_RW=1
E: ID_CDROM_DVD_RAM=1
E: ID_CDROM_DVD_PLUS_R=1
E: ID_CDROM_DVD_PLUS_RW=1
E: ID_CDROM_MEDIA=1
E: ID_CDROM_MEDIA_DVD_R=1
E: ID_CDROM_MEDIA_STATE=blank
E: ID_CDROM_MEDIA_SESSION_NEXT=1
E: ID_CDROM_MEDIA_SESSION_COUNT=1
E: ID_CDROM_MEDIA_TRACK_COUNT=1
E: ID_BUS=ata
E: ID_ATA=1
E: ID_ATA_SATA=1
E: ID_MODEL=HL-DT-ST_DVDRAM_GH24NSD1
E: ID_REVISION=LG00
E: ID_SERIAL=HL-DT-ST_DVDRAM_GH24NSD1_K1ZE4G93712
E: ID_SERIAL_SHORT=K1ZE4G93712
E: ID_PATH=pci-0000:00:17.0-ata-2.0

P: /devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0
E: SUBSYSTEM=scsi
E: DEVTYPE=scsi_device
A: vendor=HL-DT-ST
A: model=DVDRAM GH24NSD1 
A: rev=LG00
A: type=5
)";

const char* const readOnlyDrive = R"(P: /devices/pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0/block/sr1
N: sr1
E: DEVNAME=/dev/sr1
E: DEVTYPE=disk
E: SUBSYSTEM=block
E: MAJOR=11
E: MINOR=1
A: dev=11:1
E: ID_CDROM=1
E: ID_CDROM_CD=1
E: ID_CDROM_DVD=1
E: ID_BUS=ata

P: /devices/pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0
E: SUBSYSTEM=scsi
E: DEVTYPE=scsi_device
A: vendor=TEAC
A: model=DV-W28S
A: rev=1.0A
)";

const char* const usbDrive = R"(P: /devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sr2
N: sr2
E: DEVNAME=/dev/sr2
E: DEVTYPE=disk
E: SUBSYSTEM=block
E: MAJOR=11
E: MINOR=2
A: dev=11:2
E: ID_CDROM=1
E: ID_CDROM_CD=1
E: ID_CDROM_CD_R=1
E: ID_CDROM_CD_RW=1
E: ID_CDROM_DVD=1
E: ID_CDROM_DVD_R=1
E: ID_CDROM_DVD_RW=1
E: ID_CDROM_DVD_PLUS_R=1
E: ID_CDROM_DVD_PLUS_RW=1
E: ID_CDROM_DVD_PLUS_R_DL=1
E: ID_BUS=usb
E: ID_VENDOR=ASUS
E: ID_MODEL=SDRW-08D2S-U
E: ID_REVISION=B901
E: ID_SERIAL=ASUS_SDRW-08D2S-U_KDVC6GB0163-0:0
E: ID_SERIAL_SHORT=KDVC6GB0163
E: ID_USB_DRIVER=usb-storage

P: /devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0
E: SUBSYSTEM=scsi
E: DEVTYPE=scsi_device
A: vendor=ASUS    
A: model=SDRW-08D2S-U    
A: rev=B901
)";

const char* const sataSysPath = "/sys/devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0";
const char* const usbSysPath =
    "/sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sr2";

// What the mocked drives answer; the handler runs on umockdev's own thread.
struct DriveModel
{
    std::atomic<bool> trayOpen{false};
    std::atomic<int> ejectErrno{0};
    std::atomic<int> statusQueries{0};
    std::atomic<int> ejectDelayMs{0}; // a drive that takes its time (motor, spin-up, a hung bridge)
    QMutex lock;
    QStringList requests; // "lock 0", "eject", "close"
};

gboolean handleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    auto* model = static_cast<DriveModel*>(data);
    const auto record = [model](const QString& request) {
        const QMutexLocker locker(&model->lock);
        model->requests.append(request);
    };
    switch (umockdev_ioctl_client_get_request(client)) {
    case CDROM_DRIVE_STATUS:
        ++model->statusQueries;
        umockdev_ioctl_client_complete(client, model->trayOpen ? CDS_TRAY_OPEN : CDS_DISC_OK, 0);
        return TRUE;
    case CDROM_LOCKDOOR:
        record(QStringLiteral("lock"));
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    case CDROMEJECT:
        record(QStringLiteral("eject"));
        if (const int delay = model->ejectDelayMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        if (const int error = model->ejectErrno) {
            umockdev_ioctl_client_complete(client, -1, error);
        } else {
            model->trayOpen = true;
            umockdev_ioctl_client_complete(client, 0, 0);
        }
        return TRUE;
    case CDROMCLOSETRAY:
        record(QStringLiteral("close"));
        model->trayOpen = false;
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    default: return FALSE;
    }
}

QString text(const tz::DictionaryPtr& dict, const QString& key)
{
    return tz::textOf(dict->objectForKey(key));
}

bool flag(const tz::DictionaryPtr& dict, const QString& key)
{
    const tz::Id value = dict->objectForKey(key);
    return value && value->boolValue().value_or(false);
}

DRDevicePtr device(qsizetype index)
{
    return tz::cast<DRDevice>(DRDevice::devices()->objectAtIndex(index));
}

QStringList identifiers()
{
    QStringList list;
    const auto devices = DRDevice::devices();
    for (const tz::Id& d : devices->objects())
        list.append(tz::as<DRDevice>(d)->identifier());
    return list;
}

} // namespace

class TestLinuxDriveBackend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        _service.install();
        // Without the preload the testbed is not seen and every case would pass on nothing.
        if (!qEnvironmentVariable("LD_PRELOAD").contains(QStringLiteral("umockdev-preload")))
            QFAIL("needs libumockdev-preload in LD_PRELOAD: run it through ctest or umockdev-wrapper");
    }

    void init()
    {
        _model = std::make_unique<DriveModel>();
        _testbed = umockdev_testbed_new();
        GError* error = nullptr;
        for (const char* description : {sataDrive, readOnlyDrive, usbDrive}) {
            QVERIFY2(umockdev_testbed_add_from_string(_testbed, description, &error),
                     error ? error->message : "add_from_string");
        }
        _ioctls = umockdev_ioctl_base_new();
        g_signal_connect(_ioctls, "handle-ioctl", G_CALLBACK(handleIoctl), _model.get());
        QVERIFY2(umockdev_testbed_attach_ioctl(_testbed, "/dev/sr0", _ioctls, &error),
                 error ? error->message : "attach_ioctl");
        startBackend();
    }

    void cleanup()
    {
        // The backend goes before the testbed it watches.
        _service.useSimulatedDrives(QString());
        QVERIFY(_service.waitForDrives());
        if (_testbed) {
            umockdev_testbed_detach_ioctl(_testbed, "/dev/sr0", nullptr);
            g_object_unref(_ioctls);
            g_object_unref(_testbed);
        }
        _testbed = nullptr;
        _ioctls = nullptr;
    }

    void listsRecordersOnly()
    {
        QCOMPARE(identifiers(), (QStringList{QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr2")}));
    }

    void ataDriveInfoComesFromItsInquiryData()
    {
        const tz::DictionaryPtr info = device(0)->info();
        QCOMPARE(text(info, DRDeviceVendorNameKey), QStringLiteral("HL-DT-ST"));
        QCOMPARE(text(info, DRDeviceProductNameKey), QStringLiteral("DVDRAM GH24NSD1"));
        QCOMPARE(text(info, DRDeviceFirmwareRevisionKey), QStringLiteral("LG00"));
        QCOMPARE(text(info, DRDeviceSerialNumberKey), QStringLiteral("K1ZE4G93712"));
        QCOMPARE(text(info, DRDevicePathKey), QStringLiteral("/dev/sr0"));
        QCOMPARE(text(info, DRDevicePhysicalInterconnectKey), DRDevicePhysicalInterconnectSATA);
        QCOMPARE(text(info, DRDevicePhysicalInterconnectLocationKey), DRDevicePhysicalInterconnectLocationInternal);
        QCOMPARE(text(info, DRDeviceSupportLevelKey), DRDeviceSupportLevelUnsupported);
        const auto writes = tz::cast<tz::Dictionary>(info->objectForKey(DRDeviceWriteCapabilitiesKey));
        QVERIFY(flag(writes, DRDeviceCanWriteDVDRAMKey));
        QVERIFY(!flag(writes, DRDeviceCanWriteBDRKey));
        QCOMPARE(device(0)->displayName(), QStringLiteral("HL-DT-ST DVDRAM GH24NSD1"));
        qInfo().noquote() << "SATA drive info:" << info->description();
    }

    void usbDriveIsExternal()
    {
        const tz::DictionaryPtr info = device(1)->info();
        QCOMPARE(text(info, DRDeviceVendorNameKey), QStringLiteral("ASUS"));
        QCOMPARE(text(info, DRDeviceProductNameKey), QStringLiteral("SDRW-08D2S-U"));
        QCOMPARE(text(info, DRDevicePhysicalInterconnectKey), DRDevicePhysicalInterconnectUSB);
        QCOMPARE(text(info, DRDevicePhysicalInterconnectLocationKey), DRDevicePhysicalInterconnectLocationExternal);
        qInfo().noquote() << "USB drive info:" << info->description();
    }

    void interconnectAndLocation_data()
    {
        QTest::addColumn<QByteArray>("parent");
        QTest::addColumn<QByteArray>("properties");
        QTest::addColumn<QString>("interconnect");
        QTest::addColumn<QString>("location");

        const QByteArray ata = "/devices/pci0000:00/0000:00:1f.2/ata5/host4/target4:0:0/4:0:0:0";
        QTest::newRow("SATA link") << ata << QByteArray("E: ID_BUS=ata\nE: ID_ATA_SATA=1\n")
                                   << DRDevicePhysicalInterconnectSATA << DRDevicePhysicalInterconnectLocationInternal;
        QTest::newRow("parallel ATA") << ata << QByteArray("E: ID_BUS=ata\n") << DRDevicePhysicalInterconnectATAPI
                                      << DRDevicePhysicalInterconnectLocationInternal;
        QTest::newRow("older ATAPI drive udev calls scsi")
            << ata << QByteArray("E: ID_BUS=scsi\n") << DRDevicePhysicalInterconnectATAPI
            << DRDevicePhysicalInterconnectLocationInternal;
        QTest::newRow("USB known only by its parents")
            << QByteArray("/devices/pci0000:00/0000:00:14.0/usb2/2-3/2-3:1.0/host4/target4:0:0/4:0:0:0") << QByteArray()
            << DRDevicePhysicalInterconnectUSB << DRDevicePhysicalInterconnectLocationExternal;
        QTest::newRow("SCSI host adapter") << QByteArray("/devices/pci0000:00/0000:00:10.0/host4/target4:0:0/4:0:0:0")
                                           << QByteArray("E: ID_BUS=scsi\n") << DRDevicePhysicalInterconnectSCSI
                                           << DRDevicePhysicalInterconnectLocationUnknown;
    }
    void interconnectAndLocation()
    {
        QFETCH(QByteArray, parent);
        QFETCH(QByteArray, properties);
        QFETCH(QString, interconnect);
        QFETCH(QString, location);
        QByteArray description = "P: " + parent
            + "/block/sr4\nN: sr4\nE: DEVNAME=/dev/sr4\nE: DEVTYPE=disk\n"
              "E: SUBSYSTEM=block\nE: MAJOR=11\nE: MINOR=4\nA: dev=11:4\nE: ID_CDROM=1\n"
              "E: ID_CDROM_CD_R=1\n"
            + properties + "\nP: " + parent + "\nE: SUBSYSTEM=scsi\nE: DEVTYPE=scsi_device\nA: vendor=X\n";
        if (parent.contains("usb2"))
            description += "\nP: /devices/pci0000:00/0000:00:14.0/usb2/2-3\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n";
        GError* error = nullptr;
        QVERIFY2(umockdev_testbed_add_from_string(_testbed, description.constData(), &error),
                 error ? error->message : "add_from_string");
        startBackend();
        const DRDevicePtr drive = device(2);
        QCOMPARE(drive->identifier(), QStringLiteral("/dev/sr4"));
        QCOMPARE(text(drive->info(), DRDevicePhysicalInterconnectKey), interconnect);
        QCOMPARE(text(drive->info(), DRDevicePhysicalInterconnectLocationKey), location);
    }

    void statusReadsTrayAndMedia()
    {
        tz::DictionaryPtr status = device(0)->status();
        QVERIFY(!flag(status, DRDeviceIsTrayOpenKey));
        QVERIFY(flag(status, DRDeviceMediaPresentKey));
        QCOMPARE(text(status, DRDeviceMediaTypeKey), DRDeviceMediaTypeDVDR);
        QCOMPARE(text(status, DRDeviceMediaStateKey), DRDeviceMediaStateBlank);
        QCOMPARE(status->objectForKey(DRDeviceMediaSessionCountKey)->intValue(), 1);
        QCOMPARE(status->objectForKey(DRDeviceMediaTrackCountKey)->intValue(), 1);
        QVERIFY(!flag(status, DRDeviceMediaIsMountedKey));
        qInfo().noquote() << "SATA drive status:" << status->description();

        // The cached status follows the tray once someone observes (the tray poll).
        const DriveEventLog log(DRDeviceStatusChangedNotification);
        const int before = _model->statusQueries;
        QTRY_VERIFY(_model->statusQueries > before + 1); // polling, with the closed tray seen
        _model->trayOpen = true;
        QTRY_VERIFY(flag(device(0)->status(), DRDeviceIsTrayOpenKey));
        status = device(0)->status();
        QVERIFY(!flag(status, DRDeviceMediaPresentKey));
        QCOMPARE(text(status, DRDeviceMediaStateKey), DRDeviceMediaStateNone);
    }

    void ejectUnlocksThenOpensAndCloseCloses()
    {
        const DRDevicePtr sata = device(0);
        QVERIFY(!sata->trayIsOpen());
        QVERIFY(sata->ejectMedia());
        QVERIFY(sata->trayIsOpen());
        QVERIFY(sata->closeTray());
        QVERIFY(!sata->trayIsOpen());
        const QMutexLocker locker(&_model->lock);
        QCOMPARE(_model->requests,
                 (QStringList{QStringLiteral("lock"), QStringLiteral("eject"), QStringLiteral("close")}));
    }

    void failedEjectGivesNo_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("busy (mounted)") << EBUSY;
        QTest::newRow("no permission") << EPERM;
        QTest::newRow("I/O error") << EIO;
    }
    void failedEjectGivesNo()
    {
        QFETCH(int, error);
        _model->ejectErrno = error;
        QVERIFY(!device(0)->ejectMedia());
        QVERIFY(!device(0)->trayIsOpen());
    }

    void driveRemovedBeforeEjectGivesNo()
    {
        const DRDevicePtr usb = device(1);
        umockdev_testbed_remove_device(_testbed, usbSysPath);
        QVERIFY(!usb->ejectMedia());
        QVERIFY(!usb->closeTray());
        QVERIFY(!usb->trayIsOpen());
        QVERIFY(usb->status()->isEmpty());
    }

    void ueventsReachObserversInOrder()
    {
        DriveEventLog log;
        QTRY_COMPARE(log.entries.size(), 2);
        log.entries.clear();

        const DRDevicePtr usb = device(1);
        umockdev_testbed_uevent(_testbed, usbSysPath, "remove");
        umockdev_testbed_remove_device(_testbed, usbSysPath);
        // A second USB recorder, sr3 on the next port.
        const QByteArray another = QByteArray(usbDrive)
                                       .replace("sr2", "sr3")
                                       .replace("MINOR=2", "MINOR=3")
                                       .replace("11:2", "11:3")
                                       .replace("2-1", "2-2")
                                       .replace("6:0:0", "7:0:0")
                                       .replace("host6", "host7");
        GError* error = nullptr;
        QVERIFY(umockdev_testbed_add_from_string(_testbed, another.constData(), &error));
        umockdev_testbed_uevent(_testbed,
                                QByteArray(usbSysPath)
                                    .replace("sr2", "sr3")
                                    .replace("2-1", "2-2")
                                    .replace("6:0:0", "7:0:0")
                                    .replace("host6", "host7")
                                    .constData(),
                                "add");
        umockdev_testbed_set_property(_testbed, sataSysPath, "DISK_MEDIA_CHANGE", "1");
        umockdev_testbed_uevent(_testbed, sataSysPath, "change");
        const QStringList expected{QStringLiteral("Disappeared /dev/sr2"), QStringLiteral("Appeared /dev/sr3"),
                                   QStringLiteral("StatusChanged /dev/sr0")};
        QTRY_COMPARE(log.entries, expected);
        QCOMPARE(identifiers(), (QStringList{QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr3")}));
        QVERIFY(!DRDevice::devices()->containsObject(usb));
    }

    void readOnlyDriveStaysUnannounced()
    {
        DriveEventLog log;
        QTRY_COMPARE(log.entries.size(), 2);
        umockdev_testbed_uevent(_testbed,
                                "/sys/devices/pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0/block/sr1", "add");
        umockdev_testbed_set_property(_testbed, sataSysPath, "DISK_EJECT_REQUEST", "1");
        umockdev_testbed_uevent(_testbed, sataSysPath, "change");
        QTRY_COMPARE(log.entries.size(), 3);
        QCOMPARE(log.entries.last(), QStringLiteral("StatusChanged /dev/sr0"));
    }

    void trayPollingPostsEachTransitionOnce()
    {
        // Waits for three more polls and for what the first two posted; returns how long it took.
        const auto threePolls = [this] {
            QElapsedTimer clock;
            clock.start();
            const int before = _model->statusQueries;
            const bool polled = QTest::qWaitFor([&] { return _model->statusQueries >= before + 3; }, 5000);
            return polled && testsupport::handlePostedEvents() ? clock.elapsed() : -1;
        };
        auto log = std::make_unique<DriveEventLog>(DRDeviceStatusChangedNotification);
        QVERIFY(threePolls() >= 0); // with nothing to report
        QVERIFY(log->entries.isEmpty());

        _model->trayOpen = true; // someone pressed the drive's button
        QTRY_COMPARE(log->entries, QStringList{QStringLiteral("StatusChanged /dev/sr0")});
        const qint64 span = threePolls();
        QVERIFY(span >= 0);
        QCOMPARE(log->entries.size(), 1);
        _model->trayOpen = false;
        QTRY_COMPARE(log->entries.size(), 2);

        log.reset(); // the last observer leaves
        // The drive thread takes its calls in order: once a later request is answered, the
        // polling has stopped.
        QVERIFY(_service.requestAndWait(QStringLiteral("/dev/sr0"), DriveAction::CloseTray));
        const int queries = _model->statusQueries;
        QTest::qWait(int(std::max<qint64>(2 * span, 200))); // long enough for three polls, twice
        QCOMPARE(_model->statusQueries.load(), queries);
    }

    void slowDriveNeverHoldsUpTheEventLoop()
    {
        _model->ejectDelayMs = 3000;
        DriveEventLog log(DRDeviceStatusChangedNotification);
        const DRDevicePtr sata = device(0);

        // A timer on the main event loop keeps its 20 ms beat while the drive works.
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longestGap = 0;
        QTimer beat;
        beat.setInterval(20);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longestGap = std::max(longestGap, now - last);
            last = now;
        });
        std::optional<bool> answer;
        clock.start();
        beat.start();
        sata->ejectMedia(&beat, [&](bool ok) { answer = ok; });
        // The cache answers at once while the eject is under way.
        QVERIFY(!sata->trayIsOpen());
        QVERIFY(!sata->info()->isEmpty());
        QVERIFY(!answer);
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 10000);
        const qint64 took = clock.elapsed();
        beat.stop();
        QVERIFY(*answer);
        QVERIFY2(took >= 2900, qPrintable(QStringLiteral("answered after %1 ms").arg(took)));
        QVERIFY2(longestGap < 500, qPrintable(QStringLiteral("the event loop stood still for %1 ms").arg(longestGap)));
        QVERIFY(sata->trayIsOpen());
        // The tray poll reports the open tray as the final notification.
        QTRY_COMPARE(log.entries, QStringList{QStringLiteral("StatusChanged /dev/sr0")});
    }

private:
    // A new backend that sees the testbed as it is now, polling the trays every 50 ms.
    void startBackend()
    {
        _service.useBackend([] {
            auto backend = std::make_unique<LinuxDriveBackend>();
            backend->setPollInterval(50ms);
            return backend;
        });
        QVERIFY(_service.waitForDrives());
    }

    DriveService _service;

    std::unique_ptr<DriveModel> _model;
    UMockdevTestbed* _testbed = nullptr;
    UMockdevIoctlBase* _ioctls = nullptr;
};

QTEST_GUILESS_MAIN(TestLinuxDriveBackend)
#include "tst_LinuxDriveBackend.moc"
