#include "app/DiscRecording/DriveWorker.h"

DriveWorker::DriveWorker(QObject* client, DriveWorkerClient* receiver) : _client(client), _receiver(receiver)
{}

DriveWorker::~DriveWorker() = default;

void DriveWorker::reply(std::function<void(DriveWorkerClient&)> call)
{
    DriveWorkerClient* receiver = _receiver;
    QMetaObject::invokeMethod(
        _client, [receiver, call = std::move(call)] { call(*receiver); }, Qt::QueuedConnection);
}

DriveSnapshot DriveWorker::snapshot(const QString& drive) const
{
    return {drive, _backend->info(drive), _backend->status(drive)};
}

void DriveWorker::start(quint64 generation, const DriveBackendFactory& makeBackend)
{
    _backend.reset();
    _generation = generation;
    _backend = makeBackend();
    if (!_backend) {
        reply([generation](DriveWorkerClient& c) { c.drivesListed(generation, {}); });
        return;
    }
    connect(_backend.get(), &DriveBackend::driveAppeared, this, [this](const QString& drive) {
        const DriveSnapshot appeared = snapshot(drive);
        const QStringList order = _backend->drives();
        const quint64 generation = _generation;
        reply([generation, appeared, order](DriveWorkerClient& c) { c.driveAppeared(generation, appeared, order); });
    });
    connect(_backend.get(), &DriveBackend::driveDisappeared, this, [this](const QString& drive) {
        const quint64 generation = _generation;
        reply([generation, drive](DriveWorkerClient& c) { c.driveDisappeared(generation, drive); });
    });
    connect(_backend.get(), &DriveBackend::driveStatusChanged, this, [this](const QString& drive) {
        const tz::DictionaryPtr status = _backend->status(drive);
        const quint64 generation = _generation;
        reply([generation, drive, status](DriveWorkerClient& c) { c.driveStatusRead(generation, drive, status); });
    });
    QList<DriveSnapshot> drives;
    for (const QString& drive : _backend->drives())
        drives.append(snapshot(drive));
    reply([generation, drives](DriveWorkerClient& c) { c.drivesListed(generation, drives); });
    _backend->setObserved(_observed);
}

void DriveWorker::setObserved(bool observed)
{
    _observed = observed;
    if (_backend)
        _backend->setObserved(observed);
}

void DriveWorker::act(quint64 generation, quint64 request, const QString& drive, DriveAction action)
{
    bool ok = false;
    tz::DictionaryPtr status;
    if (_backend && generation == _generation) {
        ok = action == DriveAction::CloseTray ? _backend->closeTray(drive) : _backend->ejectMedia(drive);
        status = _backend->status(drive);
    }
    reply(
        [generation, request, ok, status](DriveWorkerClient& c) { c.actionAnswered(generation, request, ok, status); });
}
