// The device window over a drive that takes seconds to eject (umockdev: real libudev over a
// mocked sysfs, its cdrom ioctls answered by a handler that sleeps). Runs with
// libumockdev-preload in LD_PRELOAD.
#include "app/AppWindow.h"
#include "app/DiscRecording/DriveService.h"
#include "app/DiscRecording/LinuxDriveBackend.h"

#include <umockdev.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <linux/cdrom.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

const char* const slowDrive = R"(P: /devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0/block/sr0
N: sr0
E: DEVNAME=/dev/sr0
E: DEVTYPE=disk
E: SUBSYSTEM=block
E: MAJOR=11
E: MINOR=0
A: dev=11:0
E: ID_CDROM=1
E: ID_CDROM_CD_R=1
E: ID_CDROM_DVD_R=1
E: ID_BUS=ata
E: ID_ATA_SATA=1
E: ID_MODEL=SLOW_WRITER

P: /devices/pci0000:00/0000:00:17.0/ata2/host1/target1:0:0/1:0:0:0
E: SUBSYSTEM=scsi
E: DEVTYPE=scsi_device
A: vendor=ACME
A: model=Slow Writer
)";

constexpr int ejectSeconds = 3;

// The handler runs on umockdev's own thread: it holds the caller's ioctl for as long as it sleeps.
gboolean handleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    auto* trayOpen = static_cast<std::atomic<bool>*>(data);
    switch (umockdev_ioctl_client_get_request(client)) {
    case CDROM_DRIVE_STATUS:
        umockdev_ioctl_client_complete(client, *trayOpen ? CDS_TRAY_OPEN : CDS_NO_DISC, 0);
        return TRUE;
    case CDROM_LOCKDOOR: umockdev_ioctl_client_complete(client, 0, 0); return TRUE;
    case CDROMEJECT:
        std::this_thread::sleep_for(std::chrono::seconds(ejectSeconds));
        *trayOpen = true;
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    default: return FALSE;
    }
}

} // namespace

class tst_AppWindowSlowDrive : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        // Without the preload the testbed is not seen and every case would pass on nothing.
        if (!qEnvironmentVariable("LD_PRELOAD").contains(QStringLiteral("umockdev-preload")))
            QFAIL("needs libumockdev-preload in LD_PRELOAD: run it through ctest or umockdev-wrapper");
        QStandardPaths::setTestModeEnabled(true);
        QSettings().clear();
        QApplication::setQuitOnLastWindowClosed(false);
        _testbed = umockdev_testbed_new();
        GError* error = nullptr;
        QVERIFY2(umockdev_testbed_add_from_string(_testbed, slowDrive, &error), error ? error->message : "add");
        _ioctls = umockdev_ioctl_base_new();
        g_signal_connect(_ioctls, "handle-ioctl", G_CALLBACK(handleIoctl), &_trayOpen);
        QVERIFY2(umockdev_testbed_attach_ioctl(_testbed, "/dev/sr0", _ioctls, &error),
                 error ? error->message : "attach");
        _service.install();
        _service.useBackend([] {
            auto backend = std::make_unique<LinuxDriveBackend>();
            backend->setPollInterval(50ms);
            return backend;
        });
    }

    void cleanupTestCase()
    {
        _window.reset();
        // The backend goes before the testbed it watches.
        _service.useSimulatedDrives(QString());
        QVERIFY(_service.waitForDrives());
        if (_testbed) {
            umockdev_testbed_detach_ioctl(_testbed, "/dev/sr0", nullptr);
            g_object_unref(_ioctls);
            g_object_unref(_testbed);
        }
    }

    void windowKeepsTurningWhileTheDriveEjects()
    {
        _window = AppWindow::appWindow(_service);
        QTableView* connected = _window->connectedTable();
        QTRY_COMPARE(_window->numberOfRowsInTableView(connected), 1);
        connected->selectRow(0);
        QVERIFY(_window->detailText()->toPlainText().contains(QStringLiteral("IsTrayOpen: NO")));
        QPushButton* eject = _window->ejectButton();
        QVERIFY(eject->isEnabled());

        // A timer on the window's event loop, 20 ms apart.
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longestGap = 0;
        int beats = 0;
        QTimer beat;
        beat.setInterval(20);
        connect(&beat, &QTimer::timeout, this, [&] {
            const qint64 now = clock.elapsed();
            longestGap = std::max(longestGap, now - last);
            last = now;
            ++beats;
        });
        clock.start();
        beat.start();
        QTest::mouseClick(eject, Qt::LeftButton);
        QVERIFY(_window->isEjectPending());
        QVERIFY(!eject->isEnabled());

        QTRY_VERIFY_WITH_TIMEOUT(!_window->isEjectPending(), 10000);
        const qint64 took = clock.elapsed();
        beat.stop();
        QVERIFY2(took >= ejectSeconds * 1000 - 100, qPrintable(QStringLiteral("answered after %1 ms").arg(took)));
        QVERIFY2(longestGap < 500, qPrintable(QStringLiteral("the event loop stood still for %1 ms").arg(longestGap)));
        QVERIFY2(beats > took / 20 / 2, qPrintable(QStringLiteral("%1 beats in %2 ms").arg(beats).arg(took)));
        QVERIFY(eject->isEnabled());
        // The status change that follows reaches the details pane.
        QTRY_VERIFY2(_window->detailText()->toPlainText().contains(QStringLiteral("IsTrayOpen: YES")),
                     qPrintable(_window->detailText()->toPlainText()));
    }

private:
    DriveService _service;
    std::shared_ptr<AppWindow> _window;
    std::atomic<bool> _trayOpen{false};
    UMockdevTestbed* _testbed = nullptr;
    UMockdevIoctlBase* _ioctls = nullptr;
};

QTEST_MAIN(tst_AppWindowSlowDrive)
#include "tst_AppWindowSlowDrive.moc"
