#include "app/DiscRecording/DriveService.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DRNotificationCenter.h"
#include "app/DiscRecording/LinuxDriveBackend.h"
#include "app/DiscRecording/SimulatedDriveBackend.h"
#include "app/DiscRecording/SupportProfile.h"

#include "Foundation/String.h"

#include <QCoreApplication>

DriveService& DriveService::instance()
{
    static QPointer<DriveService> service;
    if (!service)
        service = new DriveService(QCoreApplication::instance());
    return *service;
}

DriveService::DriveService(QObject* parent) : QObject(parent)
{
    _simulationPath = qEnvironmentVariable("BURNER_CATALOGUE_SIMULATE");
}

DriveService::~DriveService() = default;

DriveBackend& DriveService::backend()
{
    if (!_backend) {
        if (_simulationPath.isEmpty())
            install(std::make_unique<LinuxDriveBackend>());
        else
            install(std::make_unique<SimulatedDriveBackend>(_simulationPath));
    }
    return *_backend;
}

void DriveService::useSimulatedDrives(const QString& path)
{
    _simulationPath = path;
    if (_backend)
        install(std::make_unique<SimulatedDriveBackend>(path));
}

void DriveService::useSystemDrives()
{
    _simulationPath.clear();
    if (_backend)
        install(std::make_unique<LinuxDriveBackend>());
}

void DriveService::install(std::unique_ptr<DriveBackend> backend)
{
    const bool replacing = bool(_backend);
    if (replacing) {
        // In the old backend's order, then any the backend no longer lists.
        QList<DRDevicePtr> gone;
        for (const QString& drive : _backend->drives())
            gone.append(_devices.take(drive));
        gone.append(_devices.values());
        gone.removeAll(nullptr);
        _devices.clear();
        _backend.reset();
        for (const DRDevicePtr& device : gone)
            post(DRDeviceDisappearedNotification, device);
    }
    _backend = std::move(backend);
    connect(_backend.get(), &DriveBackend::driveAppeared, this,
            [this](const QString& drive) { post(DRDeviceAppearedNotification, deviceFor(drive)); });
    connect(_backend.get(), &DriveBackend::driveStatusChanged, this,
            [this](const QString& drive) { post(DRDeviceStatusChangedNotification, deviceFor(drive)); });
    connect(_backend.get(), &DriveBackend::driveDisappeared, this, [this](const QString& drive) {
        const DRDevicePtr device = deviceFor(drive);
        _devices.remove(drive);
        post(DRDeviceDisappearedNotification, device);
    });
    updateObserved();
    if (replacing) {
        for (const QString& drive : _backend->drives())
            post(DRDeviceAppearedNotification, deviceFor(drive));
    }
}

void DriveService::setSupportProfile(const tz::Id& profileRoot)
{
    _profile = profileRoot;
}

tz::DictionaryPtr DriveService::infoFor(const QString& drive)
{
    const tz::DictionaryPtr info = backend().info(drive);
    if (!info)
        return tz::Dictionary::make();
    const bool supported = DiscRecording::profileListsDrive(
        _profile, tz::textOf(info->objectForKey(DRDeviceVendorNameKey)),
        tz::textOf(info->objectForKey(DRDeviceProductNameKey)));
    const tz::Dictionary::Entry level{
        tz::str(DRDeviceSupportLevelKey),
        tz::str(supported ? DRDeviceSupportLevelSupported : DRDeviceSupportLevelUnsupported)};
    // The level goes in front of the capabilities, which end the dictionary.
    QList<tz::Dictionary::Entry> entries = info->entries();
    const tz::Id capabilitiesKey = tz::str(DRDeviceWriteCapabilitiesKey);
    qsizetype at = entries.size();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).first->isEqual(*capabilitiesKey))
            at = i;
    }
    entries.insert(at, level);
    return tz::Dictionary::make(entries);
}

std::shared_ptr<const tz::Array> DriveService::devices()
{
    QList<tz::Id> list;
    for (const QString& drive : backend().drives())
        list.append(deviceFor(drive));
    return tz::Array::make(std::move(list));
}

DRDevicePtr DriveService::deviceFor(const QString& drive)
{
    DRDevicePtr& device = _devices[drive];
    if (!device)
        device = std::make_shared<const DRDevice>(drive);
    return device;
}

void DriveService::addCenter(DRNotificationCenter* center)
{
    const QMutexLocker locker(&_centresLock);
    _centres.removeAll(nullptr);
    _centres.append(center);
    connect(center, &QObject::destroyed, this, [this, center] { setCenterObserving(center, false); });
}

void DriveService::setCenterObserving(DRNotificationCenter* center, bool observing)
{
    {
        const QMutexLocker locker(&_centresLock);
        if (observing)
            _observingCentres.insert(center);
        else
            _observingCentres.remove(center);
    }
    QMetaObject::invokeMethod(this, [this] { updateObserved(); }, Qt::AutoConnection);
}

void DriveService::updateObserved()
{
    if (!_backend)
        return;
    bool observed = false;
    {
        const QMutexLocker locker(&_centresLock);
        observed = !_observingCentres.isEmpty();
    }
    _backend->setObserved(observed);
}

void DriveService::post(const QString& name, const DRDevicePtr& device)
{
    const DRNotification notification{name, device};
    QList<QPointer<DRNotificationCenter>> centres;
    {
        const QMutexLocker locker(&_centresLock);
        centres = _centres;
    }
    for (const QPointer<DRNotificationCenter>& center : centres) {
        if (center) {
            QMetaObject::invokeMethod(
                center, [center, notification] { if (center) center->postNotification(notification); },
                Qt::AutoConnection);
        }
    }
}
