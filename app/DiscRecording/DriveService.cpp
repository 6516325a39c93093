#include "app/DiscRecording/DriveService.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DRNotificationCenter.h"
#include "app/DiscRecording/LinuxDriveBackend.h"
#include "app/DiscRecording/SimulatedDriveBackend.h"
#include "app/DiscRecording/SupportProfile.h"

#include "Foundation/String.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {
QPointer<DriveService> installedService;
} // namespace

DriveService::DriveService(QObject* parent) : QObject(parent), _thread(new QThread(this))
{
    _thread->setObjectName(QStringLiteral("drives"));
    _worker = new DriveWorker(this, this);
    _worker->moveToThread(_thread);
    _center = new DRNotificationCenter([this] { return devices(); }, this);
    connect(_center, &DRNotificationCenter::observingChanged, this, &DriveService::setObserved);
    _thread->start();
}

DriveService::~DriveService()
{
    if (installedService == this)
        installedService = nullptr;
    // The worker and its backend end on the drive thread, once a call under way has returned.
    _worker->deleteLater();
    _thread->quit();
    _thread->wait();
}

DriveService* DriveService::installed()
{
    return installedService;
}

void DriveService::install()
{
    assertThread();
    installedService = this;
}

void DriveService::assertThread() const
{
    Q_ASSERT_X(QThread::currentThread() == thread(), "DriveService", "used from a thread other than its own");
}

void DriveService::onDriveThread(std::function<void(DriveWorker&)> call)
{
    DriveWorker* worker = _worker;
    QMetaObject::invokeMethod(
        worker, [worker, call = std::move(call)] { call(*worker); }, Qt::QueuedConnection);
}

void DriveService::useBackend(DriveBackendFactory makeBackend)
{
    assertThread();
    const quint64 generation = ++_generation;
    _simulationPath.clear();
    if (_started) {
        const QStringList order = std::exchange(_order, {});
        const QHash<QString, Drive> gone = std::exchange(_drives, {});
        for (const QString& drive : order)
            post(DRDeviceDisappearedNotification, gone.value(drive).device);
    }
    _started = true;
    _listed = false;
    onDriveThread([generation, makeBackend = std::move(makeBackend)](DriveWorker& worker) {
        worker.start(generation, makeBackend);
    });
}

void DriveService::useSimulatedDrives(const QString& path)
{
    useBackend([path] { return std::make_unique<SimulatedDriveBackend>(path); });
    _simulationPath = path;
}

void DriveService::useSystemDrives()
{
    useBackend([] { return std::make_unique<LinuxDriveBackend>(); });
}

QString DriveService::simulationProblem() const
{
    // A small file read on the main thread, only when asked (a bad file named on the command line).
    return _simulationPath.isEmpty() ? QString() : SimulatedDriveBackend::problemWith(_simulationPath);
}

void DriveService::useDefaultDrives()
{
    const QString simulation = qEnvironmentVariable("BURNER_CATALOGUE_SIMULATE");
    if (simulation.isEmpty())
        useSystemDrives();
    else
        useSimulatedDrives(simulation);
}

bool DriveService::waitForDrives(int timeoutMs)
{
    assertThread();
    if (_listed)
        return true;
    QEventLoop loop;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    const QMetaObject::Connection done = connect(this, &DriveService::drivesReady, &loop, &QEventLoop::quit);
    loop.exec();
    disconnect(done);
    return _listed;
}

void DriveService::setSupportProfile(const tz::Id& profileRoot, const QString& path, const QString& problem)
{
    assertThread();
    _profile = profileRoot;
    _profilePath = path;
    _profileProblem = problem;
    for (Drive& drive : _drives)
        drive.info = withSupportLevel(drive.rawInfo);
}

tz::DictionaryPtr DriveService::withSupportLevel(const tz::DictionaryPtr& info) const
{
    if (!info)
        return tz::Dictionary::make();
    const bool supported =
        DiscRecording::profileListsDrive(_profile, tz::textOf(info->objectForKey(DRDeviceVendorNameKey)),
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

std::shared_ptr<const tz::Array> DriveService::devices() const
{
    assertThread();
    QList<tz::Id> list;
    list.reserve(_order.size());
    for (const QString& drive : _order)
        list.append(_drives.value(drive).device);
    return tz::Array::make(std::move(list));
}

tz::DictionaryPtr DriveService::infoFor(const QString& drive) const
{
    assertThread();
    const auto it = _drives.constFind(drive);
    return it == _drives.cend() ? tz::Dictionary::make() : it->info;
}

tz::DictionaryPtr DriveService::statusFor(const QString& drive) const
{
    assertThread();
    const auto it = _drives.constFind(drive);
    return it == _drives.cend() || !it->status ? tz::Dictionary::make() : it->status;
}

QString DriveService::displayNameFor(const QString& drive) const
{
    assertThread();
    const auto it = _drives.constFind(drive);
    if (it == _drives.cend() || !it->rawInfo)
        return drive;
    const QString vendor = tz::textOf(it->rawInfo->objectForKey(DRDeviceVendorNameKey));
    const QString product = tz::textOf(it->rawInfo->objectForKey(DRDeviceProductNameKey));
    const QString name = QStringList{vendor, product}.join(u' ').simplified();
    return name.isEmpty() ? drive : name;
}

bool DriveService::trayIsOpenFor(const QString& drive) const
{
    const tz::Id open = statusFor(drive)->objectForKey(DRDeviceIsTrayOpenKey);
    return open && open->boolValue().value_or(false);
}

void DriveService::request(const QString& drive, DriveAction action, const QObject* context, Answer answer)
{
    assertThread();
    if (!_drives.contains(drive)) {
        // Still an answer on a later turn, as from the drive.
        QPointer<const QObject> guard(context);
        const bool hasContext = context != nullptr;
        QTimer::singleShot(0, this, [guard, hasContext, answer = std::move(answer)] {
            if (answer && (!hasContext || guard))
                answer(false);
        });
        return;
    }
    const quint64 id = _nextRequest++;
    _pending.insert(id, {QPointer<const QObject>(context), context != nullptr, std::move(answer), drive});
    const quint64 generation = _generation;
    onDriveThread([generation, id, drive, action](DriveWorker& worker) { worker.act(generation, id, drive, action); });
}

bool DriveService::requestAndWait(const QString& drive, DriveAction action)
{
    QEventLoop loop;
    bool answered = false;
    bool result = false;
    request(drive, action, &loop, [&](bool ok) {
        answered = true;
        result = ok;
        loop.quit();
    });
    if (!answered)
        loop.exec();
    return result;
}

void DriveService::store(const DriveSnapshot& snapshot)
{
    Drive& drive = _drives[snapshot.drive];
    if (!drive.device)
        drive.device = std::make_shared<const DRDevice>(snapshot.drive);
    drive.rawInfo = snapshot.info;
    drive.info = withSupportLevel(snapshot.info);
    drive.status = snapshot.status;
}

void DriveService::drivesListed(quint64 generation, const QList<DriveSnapshot>& drives)
{
    if (generation != _generation)
        return;
    _listed = true;
    QList<DRDevicePtr> appeared;
    for (const DriveSnapshot& snapshot : drives) {
        // Gone again while it was being read.
        if (!snapshot.info || _drives.contains(snapshot.drive))
            continue;
        store(snapshot);
        _order.append(snapshot.drive);
        appeared.append(_drives.value(snapshot.drive).device);
    }
    for (const DRDevicePtr& device : std::as_const(appeared))
        post(DRDeviceAppearedNotification, device);
    Q_EMIT drivesReady();
}

void DriveService::driveAppeared(quint64 generation, const DriveSnapshot& snapshot, const QStringList& order)
{
    if (generation != _generation || !snapshot.info)
        return;
    const bool known = _drives.contains(snapshot.drive);
    store(snapshot);
    // The backend's order for the drives known here; a drive it no longer lists keeps its place
    // at the end until its disappearance arrives.
    QStringList newOrder;
    for (const QString& drive : order) {
        if (_drives.contains(drive))
            newOrder.append(drive);
    }
    for (const QString& drive : std::as_const(_order)) {
        if (!newOrder.contains(drive))
            newOrder.append(drive);
    }
    if (!newOrder.contains(snapshot.drive))
        newOrder.append(snapshot.drive);
    _order = newOrder;
    if (!known)
        post(DRDeviceAppearedNotification, _drives.value(snapshot.drive).device);
}

void DriveService::driveDisappeared(quint64 generation, const QString& drive)
{
    if (generation != _generation)
        return;
    const auto it = _drives.constFind(drive);
    if (it == _drives.cend())
        return;
    const DRDevicePtr device = it->device;
    _drives.erase(it);
    _order.removeAll(drive);
    post(DRDeviceDisappearedNotification, device);
}

void DriveService::driveStatusRead(quint64 generation, const QString& drive, const tz::DictionaryPtr& status)
{
    if (generation != _generation)
        return;
    const auto it = _drives.find(drive);
    if (it == _drives.end())
        return;
    it->status = status;
    post(DRDeviceStatusChangedNotification, it->device);
}

void DriveService::actionAnswered(quint64 generation, quint64 request, bool ok, const tz::DictionaryPtr& status)
{
    const Pending pending = _pending.take(request);
    const bool current = generation == _generation;
    if (current) {
        // nil: the drive has gone, its disappearance is on the way.
        const auto it = _drives.find(pending.drive);
        if (it != _drives.end())
            it->status = status;
    }
    if (pending.answer && (!pending.hasContext || pending.context))
        pending.answer(ok && current);
}

void DriveService::post(const QString& name, const DRDevicePtr& device)
{
    if (device)
        _center->postNotification({name, device});
}

void DriveService::setObserved(bool observed)
{
    onDriveThread([observed](DriveWorker& worker) { worker.setObserved(observed); });
}
