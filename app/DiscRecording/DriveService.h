// The disc-recording service: the drives a backend reports, cached per drive, and the centre
// that tells observers about them.
//
// Threading rule: a service is used from the thread that created it (the application's main
// thread) and from nowhere else; debug builds assert it. Everything that may wait on hardware
// runs on the service's own drive thread (DriveWorker); its answers come back as queued calls,
// so info, status and the device list are read from the cache and never wait. Eject and close
// are requests whose answer arrives later on the main thread.
//
// The application makes one service and installs it; DRDevice and
// DRNotificationCenter::currentRunLoopCenter() forward to the installed one.
#pragma once

#include "app/DiscRecording/DRDevice.h"
#include "app/DiscRecording/DriveWorker.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class DRNotificationCenter;
class QThread;

class DriveService final : public QObject, private DriveWorkerClient
{
    Q_OBJECT
public:
    using Answer = std::function<void(bool ok)>;

    explicit DriveService(QObject* parent = nullptr);
    // Stops the drive thread (waits for a call under way to end) and uninstalls itself.
    ~DriveService() override;
    DriveService(const DriveService&) = delete;
    DriveService& operator=(const DriveService&) = delete;

    // The service DRDevice and DRNotificationCenter forward to; nullptr before one is installed.
    [[nodiscard]] static DriveService* installed();
    // Makes this service the installed one (replacing any other).
    void install();

    // Which drives are served. The first call starts the backend on the drive thread; a later
    // one switches: observers see the old drives disappear at once and the new ones appear when
    // the drive thread has listed them.
    void useBackend(DriveBackendFactory makeBackend);
    // The drives described in a property-list file (SimulatedDriveBackend).
    void useSimulatedDrives(const QString& path);
    // The machine's drives (LinuxDriveBackend).
    void useSystemDrives();
    // The simulation named by BURNER_CATALOGUE_SIMULATE when set, else the machine's drives.
    void useDefaultDrives();
    // The simulation file served; empty for the machine's drives (or another backend).
    [[nodiscard]] const QString& simulationPath() const { return _simulationPath; }
    // What is wrong with the simulation file served, in a few words ("is not a property list");
    // empty when it is sound or no simulation is served.
    [[nodiscard]] QString simulationProblem() const;

    // Whether the current backend's drives have been listed yet.
    [[nodiscard]] bool drivesAreListed() const { return _listed; }
    // Turns a local event loop until the drives are listed; false after the timeout. For the
    // command line and tests, never for the window.
    bool waitForDrives(int timeoutMs = 10000);

    // The device-support profile (the parsed root of the profile file), shared by everyone
    // who needs it; nil until set. A drive whose vendor and product one of its personalities
    // names has the support level DRDeviceSupportLevelSupported, any other
    // DRDeviceSupportLevelUnsupported (SupportProfile.h has the rule).
    // path and problem say where it came from and what, if anything, kept it from listing drives
    // (for messages: "cannot be read", "is not a property list", ...).
    void setSupportProfile(const tz::Id& profileRoot, const QString& path = {}, const QString& problem = {});
    [[nodiscard]] const tz::Id& supportProfile() const { return _profile; }
    [[nodiscard]] const QString& supportProfilePath() const { return _profilePath; }
    [[nodiscard]] const QString& supportProfileProblem() const { return _profileProblem; }

    // The drives attached, in the backend's order; each drive keeps its DRDevice while attached.
    [[nodiscard]] std::shared_ptr<const tz::Array> devices() const;
    // Cached information with the support level; an empty dictionary when the drive is gone.
    [[nodiscard]] tz::DictionaryPtr infoFor(const QString& drive) const;
    // The last status read; an empty dictionary when the drive is gone.
    [[nodiscard]] tz::DictionaryPtr statusFor(const QString& drive) const;
    [[nodiscard]] QString displayNameFor(const QString& drive) const;
    [[nodiscard]] bool trayIsOpenFor(const QString& drive) const;

    // Asks the drive thread to close the tray or eject; the answer runs on this thread, after
    // the cached status has been refreshed, unless the context is gone by then. A drive that
    // is not attached answers false.
    void request(const QString& drive, DriveAction action, const QObject* context, Answer answer);
    // As request, turning a local event loop until the answer: for the command line and tests.
    bool requestAndWait(const QString& drive, DriveAction action);

    [[nodiscard]] DRNotificationCenter* notificationCenter() const { return _center; }

Q_SIGNALS:
    // The current backend's drives have been listed (their appearances posted).
    void drivesReady();

private:
    struct Drive
    {
        DRDevicePtr device;
        tz::DictionaryPtr rawInfo;
        tz::DictionaryPtr info;
        tz::DictionaryPtr status;
    };
    struct Pending
    {
        QPointer<const QObject> context;
        bool hasContext = false;
        Answer answer;
        QString drive;
    };

    void drivesListed(quint64 generation, const QList<DriveSnapshot>& drives) override;
    void driveAppeared(quint64 generation, const DriveSnapshot& drive, const QStringList& order) override;
    void driveDisappeared(quint64 generation, const QString& drive) override;
    void driveStatusRead(quint64 generation, const QString& drive, const tz::DictionaryPtr& status) override;
    void actionAnswered(quint64 generation, quint64 request, bool ok, const tz::DictionaryPtr& status) override;

    void assertThread() const;
    void store(const DriveSnapshot& snapshot);
    [[nodiscard]] tz::DictionaryPtr withSupportLevel(const tz::DictionaryPtr& info) const;
    void post(const QString& name, const DRDevicePtr& device);
    void setObserved(bool observed);
    // Runs the call on the drive thread.
    void onDriveThread(std::function<void(DriveWorker&)> call);

    QThread* _thread = nullptr;
    DriveWorker* _worker = nullptr;
    DRNotificationCenter* _center = nullptr;
    quint64 _generation = 0;
    bool _started = false;
    bool _listed = false;
    tz::Id _profile;
    QString _profilePath;
    QString _profileProblem;
    QString _simulationPath;
    QStringList _order;
    QHash<QString, Drive> _drives;
    quint64 _nextRequest = 1;
    QHash<quint64, Pending> _pending;
};
