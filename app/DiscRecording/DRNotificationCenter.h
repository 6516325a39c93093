// Delivers the drive service's device notifications on the main thread's event loop, one at a
// time. Appeared is also delivered, on the next event-loop turn, for every drive attached when
// an observer registers for it (and still attached then). Main thread only, like the service
// that owns it.
//
// Matching and calling are tz::NotificationCenter's. Each centre has its own instance rather
// than the default centre: a service's observers hear only its drives, and observingChanged
// counts this centre's observers, not the process's.
#pragma once

#include "app/DiscRecording/DRDevice.h"
#include "Foundation_Additions/NSNotification/NotificationCenter.h"

#include <QList>
#include <QMultiHash>
#include <QObject>

#include <functional>

struct DRNotification
{
    QString name;
    tz::Id object; // the DRDevice
};

class DRNotificationCenter : public QObject
{
    Q_OBJECT
public:
    using Handler = std::function<void(const DRNotification&)>;
    using DeviceList = std::function<std::shared_ptr<const tz::Array>()>;

    // The centre of the installed drive service (DriveService::installed()); a program
    // without one installed ends with a fatal message.
    [[nodiscard]] static DRNotificationCenter* currentRunLoopCenter();

    // A centre whose new observers hear of the devices attachedDevices lists.
    explicit DRNotificationCenter(DeviceList attachedDevices, QObject* parent = nullptr);

    // Calls the handler for each notification of that name (any name when empty) about that
    // device (any device when nil), until removeObserverNameObject removes the observer.
    void addObserverSelectorNameObject(const void* observer, Handler handler, const QString& name,
                                       const tz::Id& object);

    // A QObject's slot; deliveries stop by themselves when the object is destroyed.
    template <typename T>
    void addObserverSelectorNameObject(T* observer, void (T::*slot)(const DRNotification&), const QString& name,
                                       const tz::Id& object)
    {
        addRegistration(
            observer, [observer, slot](const DRNotification& n) { (observer->*slot)(n); }, name, object, observer);
    }

    // Stops deliveries to the observer for that name and device; an empty name or a nil device
    // matches all of them.
    void removeObserverNameObject(const void* observer, const QString& name, const tz::Id& object);

    // Delivers the notification to the matching observers, after any delivery under way.
    void postNotification(const DRNotification& notification);

Q_SIGNALS:
    // The centre gained its first observer or lost its last one.
    void observingChanged(bool observing);

private:
    struct Pending
    {
        DRNotification notification;
        quint64 onlyTo = 0; // one registration, or 0 for all
    };

    // lifetime, when set, ends the registration with that object.
    void addRegistration(const void* observer, Handler handler, const QString& name, const tz::Id& object,
                         QObject* lifetime);
    [[nodiscard]] const void* keyOf(const void* observer) const;
    void observerDestroyed(QObject* gone);
    void replayAppeared(quint64 serial, const std::shared_ptr<const tz::Array>& devices);
    void deliverPending();
    void reportObserving(bool wasObserving);
    [[nodiscard]] bool observing() const { return _center.observerCount() > 0; }

    DeviceList _attachedDevices;
    tz::NotificationCenter _center;
    // The keys each QObject observer registered under; a base other than the first gives
    // another address than the QObject's.
    QMultiHash<const QObject*, const void*> _lifetimeKeys;
    const char _nullObserver = 0;
    QList<Pending> _pending;
    quint64 _nextSerial = 1;
    quint64 _onlyTo = 0; // the registration the notification being delivered is for, or 0
    bool _delivering = false;
};
