#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DRNotificationCenter.h"
#include "app/DiscRecording/DriveService.h"
#include "DriveEventLog.h"

#include <QTest>

namespace {

const QString sr0 = QStringLiteral("Appeared /dev/sr0");
const QString sr1 = QStringLiteral("Appeared /dev/sr1");

DRNotificationCenter* center()
{
    return DRNotificationCenter::currentRunLoopCenter();
}

} // namespace

class TestDRNotificationCenter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        _service.install();
        _service.useSimulatedDrives(QStringLiteral(SIMULATED_DRIVES_FILE));
        QVERIFY(_service.waitForDrives());
    }

    void theCentreIsTheInstalledServicesOwn()
    {
        QCOMPARE(center(), _service.notificationCenter());
        DriveService other;
        QCOMPARE(center(), _service.notificationCenter());
        other.install();
        QCOMPARE(center(), other.notificationCenter());
        _service.install();
    }

    void observerRegisteredBeforeTheListingHearsEachDriveOnce()
    {
        DriveService fresh;
        fresh.install();
        DriveEventLog early;
        fresh.useSimulatedDrives(QStringLiteral(SIMULATED_DRIVES_FILE));
        QVERIFY(fresh.waitForDrives());
        DriveEventLog late;
        QTRY_COMPARE(late.entries, (QStringList{sr0, sr1}));
        QCOMPARE(early.entries, (QStringList{sr0, sr1}));
        early.stop();
        late.stop();
        _service.install();
    }

    void attachedDrivesAppearForEachNewObserverOnly()
    {
        DriveEventLog first;
        QTRY_COMPARE(first.entries, (QStringList{sr0, sr1}));
        DriveEventLog second;
        QTRY_COMPARE(second.entries, (QStringList{sr0, sr1}));
        QCOMPARE(first.entries, (QStringList{sr0, sr1}));
    }

    void replayHonoursNameAndDevice()
    {
        const tz::Id usb = DRDevice::devices()->objectAtIndex(1);
        DriveEventLog statusOnly(DRDeviceStatusChangedNotification);
        DriveEventLog usbOnly(DRDeviceAppearedNotification, usb);
        DriveEventLog all;
        QTRY_COMPARE(all.entries.size(), 2);
        QCOMPARE(usbOnly.entries, QStringList{sr1});
        QVERIFY(statusOnly.entries.isEmpty());
    }

    void removedObserversHearNothing()
    {
        DriveEventLog removedBeforeReplay;
        removedBeforeReplay.stop();
        QStringList partly;
        const auto record = [&partly](const DRNotification& n) { partly.append(n.name); };
        center()->addObserverSelectorNameObject(&partly, record, DRDeviceAppearedNotification, {});
        center()->addObserverSelectorNameObject(&partly, record, DRDeviceStatusChangedNotification, {});
        center()->removeObserverNameObject(&partly, DRDeviceAppearedNotification, {});
        DriveEventLog witness;
        QTRY_COMPARE(witness.entries.size(), 2);

        const DRDevicePtr usb = tz::cast<DRDevice>(DRDevice::devices()->objectAtIndex(1));
        QVERIFY(usb->closeTray());
        QTRY_COMPARE(witness.entries.size(), 3);
        QVERIFY(removedBeforeReplay.entries.isEmpty());
        // Only appeared was removed: the status change still reaches it.
        QCOMPARE(partly, QStringList{DRDeviceStatusChangedNotification});
        center()->removeObserverNameObject(&partly, {}, {});
        QVERIFY(usb->ejectMedia());
        QTRY_COMPARE(witness.entries.size(), 4);
    }

    void destroyedObjectObserverIsDropped()
    {
        // An observer that never removes itself: the centre has to notice its end.
        class Forgetful : public QObject
        {
        public:
            explicit Forgetful(int* hits) : _hits(hits) {}
            void record(const DRNotification&) { ++*_hits; }

        private:
            int* _hits;
        };
        int hits = 0;
        auto forgetful = std::make_unique<Forgetful>(&hits);
        center()->addObserverSelectorNameObject(forgetful.get(), &Forgetful::record, {}, {});
        forgetful.reset();
        DriveEventLog witness;
        QTRY_COMPARE(witness.entries.size(), 2);
        const DRDevicePtr usb = tz::cast<DRDevice>(DRDevice::devices()->objectAtIndex(1));
        QVERIFY(usb->closeTray());
        QVERIFY(usb->ejectMedia());
        QTRY_COMPARE(witness.entries.size(), 4);
        QCOMPARE(hits, 0);
    }

    void deliversOneAtATime()
    {
        QStringList order;
        const DRNotification first{QStringLiteral("First"), nullptr};
        const DRNotification second{QStringLiteral("Second"), nullptr};
        int observer = 0;
        center()->addObserverSelectorNameObject(&observer,
                                                [&](const DRNotification& n) {
                                                    order.append(QStringLiteral("begin ") + n.name);
                                                    if (n.name == first.name)
                                                        center()->postNotification(second);
                                                    order.append(QStringLiteral("end ") + n.name);
                                                },
                                                first.name, {});
        center()->addObserverSelectorNameObject(
            &observer, [&](const DRNotification& n) { order.append(QStringLiteral("begin ") + n.name); }, second.name,
            {});
        center()->postNotification(first);
        center()->removeObserverNameObject(&observer, {}, {});
        QCOMPARE(
            order,
            (QStringList{QStringLiteral("begin First"), QStringLiteral("end First"), QStringLiteral("begin Second")}));
    }

    void observerRemovedByAnEarlierHandlerIsSkipped()
    {
        int a = 0;
        int b = 0;
        int calledB = 0;
        const QString name = QStringLiteral("Ping");
        center()->addObserverSelectorNameObject(
            &a, [&](const DRNotification&) { center()->removeObserverNameObject(&b, {}, {}); }, name, {});
        center()->addObserverSelectorNameObject(&b, [&](const DRNotification&) { ++calledB; }, name, {});
        center()->postNotification({name, nullptr});
        center()->removeObserverNameObject(&a, {}, {});
        QCOMPARE(calledB, 0);
    }

private:
    DriveService _service;
};

QTEST_GUILESS_MAIN(TestDRNotificationCenter)
#include "tst_DRNotificationCenter.moc"
