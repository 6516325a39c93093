#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DRDevice.h"
#include "app/DiscRecording/DriveService.h"
#include "DriveEventLog.h"
#include "support/PostedEvents.h"

#include "Foundation/Array.h"
#include "Foundation/Number.h"
#include "Foundation/String.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

DRDevicePtr device(qsizetype index)
{
    return tz::cast<DRDevice>(DRDevice::devices()->objectAtIndex(index));
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

QStringList keysOf(const tz::DictionaryPtr& dict)
{
    QStringList keys;
    for (const tz::Id& key : dict->allKeys())
        keys.append(tz::textOf(key));
    return keys;
}

const char* const scriptedDrives = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>Drives</key><array>
    <dict><key>Identifier</key><string>sim0</string>
          <key>VendorName</key><string>PIONEER</string><key>ProductName</key><string>BDR-XD08</string>
          <key>Interconnect</key><string>USB</string><key>Location</key><string>External</string>
          <key>WriteCapabilities</key><array><string>BDR</string><string>BDRE</string></array></dict>
    <dict><key>Identifier</key><string>sim1</string><key>Attached</key><false/>
          <key>VendorName</key><string>TSSTcorp</string><key>ProductName</key><string>SH-224DB</string>
          <key>WriteCapabilities</key><array><string>CDR</string></array></dict>
    <dict><key>Identifier</key><string>reader</string><key>VendorName</key><string>ROM</string>
          <key>WriteCapabilities</key><array/></dict>
  </array>
  <key>Events</key><array>
    <dict><key>After</key><real>0.05</real><key>Drive</key><string>sim1</string><key>Event</key><string>Appear</string></dict>
    <dict><key>After</key><real>0.02</real><key>Drive</key><string>sim1</string><key>Event</key><string>InsertMedia</string>
          <key>Media</key><dict><key>Type</key><string>CDR</string><key>State</key><string>Appendable</string>
          <key>Sessions</key><integer>2</integer><key>Tracks</key><integer>5</integer></dict></dict>
    <dict><key>After</key><real>0.02</real><key>Drive</key><string>sim0</string><key>Event</key><string>OpenTray</string></dict>
    <dict><key>After</key><real>0.02</real><key>Drive</key><string>sim0</string><key>Event</key><string>CloseTray</string></dict>
    <dict><key>After</key><real>0.02</real><key>Drive</key><string>sim1</string><key>Event</key><string>RemoveMedia</string></dict>
    <dict><key>After</key><real>0.02</real><key>Drive</key><string>sim0</string><key>Event</key><string>Disappear</string></dict>
  </array>
</dict></plist>
)";

} // namespace

class TestSimulatedDriveBackend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { _service.install(); }

    void init()
    {
        _service.setSupportProfile(nullptr);
        use(QStringLiteral(SIMULATED_DRIVES_FILE));
    }

    void shippedFileDescribesTwoDrives()
    {
        const auto devices = DRDevice::devices();
        QCOMPARE(devices->count(), 2);
        const DRDevicePtr sata = device(0);
        const DRDevicePtr usb = device(1);
        QCOMPARE(sata->displayName(), QStringLiteral("HL-DT-ST DVDRAM GH24NSD1"));
        QCOMPARE(sata->description(), QStringLiteral("<DRDevice: HL-DT-ST DVDRAM GH24NSD1 (/dev/sr0)>"));

        const tz::DictionaryPtr info = sata->info();
        QCOMPARE(keysOf(info),
                 (QStringList{DRDeviceVendorNameKey, DRDeviceProductNameKey, DRDeviceFirmwareRevisionKey,
                              DRDeviceSerialNumberKey, DRDevicePathKey, DRDevicePhysicalInterconnectKey,
                              DRDevicePhysicalInterconnectLocationKey, DRDeviceSupportLevelKey,
                              DRDeviceWriteCapabilitiesKey}));
        QCOMPARE(text(info, DRDevicePhysicalInterconnectKey), DRDevicePhysicalInterconnectSATA);
        QCOMPARE(text(info, DRDevicePhysicalInterconnectLocationKey), DRDevicePhysicalInterconnectLocationInternal);
        QCOMPARE(text(info, DRDeviceSupportLevelKey), DRDeviceSupportLevelUnsupported);
        const auto writes = tz::cast<tz::Dictionary>(info->objectForKey(DRDeviceWriteCapabilitiesKey));
        QVERIFY(flag(writes, DRDeviceCanWriteDVDRAMKey));
        QVERIFY(!flag(writes, DRDeviceCanWriteBDRKey));
        QCOMPARE(writes->count(), 11);

        const tz::DictionaryPtr status = sata->status();
        QVERIFY(!flag(status, DRDeviceIsTrayOpenKey));
        QVERIFY(flag(status, DRDeviceMediaPresentKey));
        QCOMPARE(text(status, DRDeviceMediaTypeKey), DRDeviceMediaTypeDVDR);
        QCOMPARE(text(status, DRDeviceMediaStateKey), DRDeviceMediaStateBlank);

        QCOMPARE(text(usb->info(), DRDevicePhysicalInterconnectKey), DRDevicePhysicalInterconnectUSB);
        QCOMPARE(text(usb->info(), DRDevicePhysicalInterconnectLocationKey),
                 DRDevicePhysicalInterconnectLocationExternal);
        QVERIFY(usb->trayIsOpen());
        QCOMPARE(keysOf(usb->status()),
                 (QStringList{DRDeviceIsTrayOpenKey, DRDeviceMediaPresentKey, DRDeviceMediaStateKey}));
        QCOMPARE(text(usb->status(), DRDeviceMediaStateKey), DRDeviceMediaStateNone);
    }

    void devicesKeepTheirIdentity()
    {
        const auto first = DRDevice::devices();
        const auto second = DRDevice::devices();
        QCOMPARE(first->objectAtIndex(0).get(), second->objectAtIndex(0).get());
        QCOMPARE(first->objectAtIndex(1).get(), second->objectAtIndex(1).get());
    }

    void supportLevelFollowsTheProfile()
    {
        const tz::Id personality = tz::Dictionary::make({
            {QStringLiteral("DRDeviceVendorName"), tz::str(QStringLiteral("hl-dt-st"))},
            {QStringLiteral("DRDeviceProductName"), tz::str(QStringLiteral("DVDRAM GH24NSD1"))},
        });
        _service.setSupportProfile(
            tz::Array::make({tz::Dictionary::make({{QStringLiteral("DRDevicePersonalities"), personality}})}));
        QCOMPARE(text(device(0)->info(), DRDeviceSupportLevelKey), DRDeviceSupportLevelSupported);
        QCOMPARE(text(device(1)->info(), DRDeviceSupportLevelKey), DRDeviceSupportLevelUnsupported);
    }

    void ejectAndCloseToggleTheTray()
    {
        const DRDevicePtr sata = device(0);
        DriveEventLog log(DRDeviceStatusChangedNotification);

        QVERIFY(sata->ejectMedia());
        QVERIFY(sata->trayIsOpen()); // the answer comes with the status read after it
        QVERIFY(!flag(sata->status(), DRDeviceMediaPresentKey));
        QTRY_COMPARE(log.entries, QStringList{QStringLiteral("StatusChanged /dev/sr0")});

        QVERIFY(sata->closeTray());
        QVERIFY(!sata->trayIsOpen());
        QVERIFY(flag(sata->status(), DRDeviceMediaPresentKey)); // the disc was still in the tray
        QTRY_COMPARE(log.entries.size(), 2);
        QCOMPARE(log.entries.at(1), QStringLiteral("StatusChanged /dev/sr0"));
    }

    void answersComeLaterAndOnlyToLiveContexts()
    {
        const DRDevicePtr sata = device(0);
        bool answeredTheGone = false;
        {
            const QObject gone;
            sata->ejectMedia(&gone, [&](bool) { answeredTheGone = true; });
        }
        const QObject context;
        std::optional<bool> closed;
        sata->closeTray(&context, [&](bool ok) { closed = ok; });
        QVERIFY(!closed); // never inside the request
        QTRY_VERIFY(closed.has_value());
        QVERIFY(*closed);
        QVERIFY(!answeredTheGone); // answered before the second, to nobody

        // A drive the service does not know answers no, on a later turn too.
        const DRDevice stranger(QStringLiteral("nowhere"));
        std::optional<bool> ejected;
        stranger.ejectMedia(&context, [&](bool ok) { ejected = ok; });
        QVERIFY(!ejected);
        QTRY_VERIFY(ejected.has_value());
        QVERIFY(!*ejected);
    }

    void aBackendReplacedBeforeItListsIsNeverHeardOf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("one.plist"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"(<plist version="1.0"><dict><key>Drives</key><array><dict>
            <key>Identifier</key><string>only</string>
            <key>WriteCapabilities</key><array><string>CDR</string></array></dict></array></dict></plist>)");
        file.close();
        DriveEventLog log;
        QTRY_COMPARE(log.entries.size(), 2);
        log.entries.clear();
        _service.useSimulatedDrives(QStringLiteral(SIMULATED_DRIVES_FILE));
        _service.useSimulatedDrives(path);
        // The drive thread answers in order, so whatever the first backend listed has arrived
        // before the second's list.
        QVERIFY(_service.waitForDrives());
        QVERIFY(testsupport::handlePostedEvents());
        QCOMPARE(log.entries,
                 (QStringList{QStringLiteral("Disappeared /dev/sr0"), QStringLiteral("Disappeared /dev/sr1"),
                              QStringLiteral("Appeared only")}));
    }

    void mountedMediumDoesNotEject()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mounted.plist"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"(<plist version="1.0"><dict><key>Drives</key><array><dict>
            <key>Identifier</key><string>busy</string>
            <key>WriteCapabilities</key><array><string>CDR</string></array>
            <key>Media</key><dict><key>Type</key><string>CDR</string><key>State</key><string>Complete</string>
            <key>Mounted</key><true/></dict></dict></array></dict></plist>)");
        file.close();
        use(path);
        QVERIFY(!device(0)->ejectMedia());
        QVERIFY(!device(0)->trayIsOpen());
        QVERIFY(flag(device(0)->status(), DRDeviceMediaIsMountedKey));
    }

    void unreadableFileServesNoDrives()
    {
        use(QStringLiteral("/nonexistent/drives.plist"));
        QCOMPARE(DRDevice::devices()->count(), 0);
    }

    void scriptedEventsReachObserversInOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scripted.plist"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(scriptedDrives);
        file.close();

        DriveEventLog log;
        QVERIFY(log.entries.isEmpty()); // the drives already attached come on the next turn
        QTRY_COMPARE(log.entries,
                     (QStringList{QStringLiteral("Appeared /dev/sr0"), QStringLiteral("Appeared /dev/sr1")}));
        log.entries.clear();
        _service.useSimulatedDrives(path);
        // The two shipped drives leave at once; of the new ones only the recorder that is
        // attached comes, once the drive thread has listed them.
        QCOMPARE(log.entries,
                 (QStringList{QStringLiteral("Disappeared /dev/sr0"), QStringLiteral("Disappeared /dev/sr1")}));
        QVERIFY(DRDevice::devices()->isEmpty());
        // The script may be played out before anyone looks: wait for its last event, then
        // read the whole record.
        QTRY_COMPARE_WITH_TIMEOUT(log.entries.size(), 9, 5000);
        QCOMPARE(log.entries,
                 (QStringList{QStringLiteral("Disappeared /dev/sr0"), QStringLiteral("Disappeared /dev/sr1"),
                              QStringLiteral("Appeared sim0"), QStringLiteral("Appeared sim1"),
                              QStringLiteral("StatusChanged sim1"), QStringLiteral("StatusChanged sim0"),
                              QStringLiteral("StatusChanged sim0"), QStringLiteral("StatusChanged sim1"),
                              QStringLiteral("Disappeared sim0")}));
        const auto devices = DRDevice::devices();
        QCOMPARE(devices->count(), 1);
        QCOMPARE(tz::as<DRDevice>(devices->objectAtIndex(0))->identifier(), QStringLiteral("sim1"));
    }

    void insertedMediaIsReported()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("scripted.plist"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        // The events after the insertion wait an hour, so the medium stays while it is read.
        QByteArray script(scriptedDrives);
        const QByteArray openTray(
            "<real>0.02</real><key>Drive</key><string>sim0</string><key>Event</key><string>OpenTray");
        QVERIFY(script.contains(openTray));
        script.replace(openTray, QByteArray(openTray).replace("0.02", "3600"));
        file.write(script);
        file.close();
        use(path);

        DriveEventLog log(DRDeviceStatusChangedNotification);
        QTRY_COMPARE(log.entries, QStringList{QStringLiteral("StatusChanged sim1")});
        const tz::DictionaryPtr status = device(1)->status();
        QCOMPARE(text(status, DRDeviceMediaTypeKey), DRDeviceMediaTypeCDR);
        QCOMPARE(text(status, DRDeviceMediaStateKey), DRDeviceMediaStateAppendable);
        QCOMPARE(status->objectForKey(DRDeviceMediaSessionCountKey)->intValue(), 2);
        QCOMPARE(status->objectForKey(DRDeviceMediaTrackCountKey)->intValue(), 5);
    }

private:
    void use(const QString& path)
    {
        _service.useSimulatedDrives(path);
        QVERIFY(_service.waitForDrives());
    }

    DriveService _service;
};

QTEST_GUILESS_MAIN(TestSimulatedDriveBackend)
#include "tst_SimulatedDriveBackend.moc"
