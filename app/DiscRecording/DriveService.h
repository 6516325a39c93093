// The service's state behind DRDevice and DRNotificationCenter: the chosen backend, one
// DRDevice per attached drive, the support profile, and the centres to tell about changes.
// It lives on the thread that first uses it (the application's main thread) and ends with
// the application object.
#pragma once

#include "app/DiscRecording/DRDevice.h"
#include "app/DiscRecording/DriveBackend.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

class DRNotificationCenter;

class DriveService final : public QObject
{
    Q_OBJECT
public:
    [[nodiscard]] static DriveService& instance();
    ~DriveService() override;

    // Created on first use: the simulation when a file was named (by call or by the
    // environment variable BURNER_CATALOGUE_SIMULATE), else the machine's drives.
    [[nodiscard]] DriveBackend& backend();
    // Switch backends; the old drives disappear and the new ones appear for observers.
    void useSimulatedDrives(const QString& path);
    void useSystemDrives();
    // The simulation file in use or to be used; empty for the machine's drives.
    [[nodiscard]] const QString& simulationPath() const { return _simulationPath; }

    void setSupportProfile(const tz::Id& profileRoot);
    // The backend's information with the support level added; empty when the drive is gone.
    [[nodiscard]] tz::DictionaryPtr infoFor(const QString& drive);

    [[nodiscard]] std::shared_ptr<const tz::Array> devices();

    // Centres register once; one that has observers makes the backend watch for changes.
    void addCenter(DRNotificationCenter* center);
    void setCenterObserving(DRNotificationCenter* center, bool observing);

private:
    explicit DriveService(QObject* parent);
    void install(std::unique_ptr<DriveBackend> backend);
    [[nodiscard]] DRDevicePtr deviceFor(const QString& drive);
    void post(const QString& name, const DRDevicePtr& device);
    void updateObserved();

    std::unique_ptr<DriveBackend> _backend;
    QString _simulationPath;
    tz::Id _profile;
    QHash<QString, DRDevicePtr> _devices;
    QMutex _centresLock;
    QList<QPointer<DRNotificationCenter>> _centres;
    QSet<const DRNotificationCenter*> _observingCentres;
};
