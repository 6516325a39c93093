// The drive thread's side of the service: owns the backend and makes every call that may wait
// on hardware (udev enumeration, ioctls, the mount table). What it reads goes back to the
// service on the main thread as plain values; each message carries the generation of the
// backend that produced it, so that answers of a replaced backend can be dropped.
#pragma once

#include "app/DiscRecording/DriveBackend.h"

#include <QObject>

#include <functional>
#include <memory>

// What a drive is and does at one moment, read on the drive thread.
struct DriveSnapshot
{
    QString drive;
    tz::DictionaryPtr info;   // without the support level
    tz::DictionaryPtr status; // nil when the drive is gone
};

enum class DriveAction { CloseTray, EjectMedia };

using DriveBackendFactory = std::function<std::unique_ptr<DriveBackend>()>;

// The service's side: the worker calls these through queued calls on the service's thread.
class DriveWorkerClient
{
public:
    virtual ~DriveWorkerClient() = default;
    virtual void drivesListed(quint64 generation, const QList<DriveSnapshot>& drives) = 0;
    virtual void driveAppeared(quint64 generation, const DriveSnapshot& drive, const QStringList& order) = 0;
    virtual void driveDisappeared(quint64 generation, const QString& drive) = 0;
    virtual void driveStatusRead(quint64 generation, const QString& drive, const tz::DictionaryPtr& status) = 0;
    virtual void actionAnswered(quint64 generation, quint64 request, bool ok, const tz::DictionaryPtr& status) = 0;
};

class DriveWorker final : public QObject
{
    Q_OBJECT
public:
    // client is a QObject living on the service's thread, and outlives the worker.
    DriveWorker(QObject* client, DriveWorkerClient* receiver);
    ~DriveWorker() override;

    // All of these run on the drive thread (the service calls them queued).
    // Replaces the backend with a new one and lists its drives.
    void start(quint64 generation, const DriveBackendFactory& makeBackend);
    void setObserved(bool observed);
    void act(quint64 generation, quint64 request, const QString& drive, DriveAction action);

private:
    [[nodiscard]] DriveSnapshot snapshot(const QString& drive) const;
    // Runs the call on the client's thread, unless the client is gone by then.
    void reply(std::function<void(DriveWorkerClient&)> call);

    QObject* _client;
    DriveWorkerClient* _receiver;
    std::unique_ptr<DriveBackend> _backend;
    quint64 _generation = 0;
    bool _observed = false;
};
