// Delivers the drive service's device notifications on the main thread's event loop, one at a
// time. Appeared is also delivered, on the next event-loop turn, for every drive attached when
// an observer registers for it (and still attached then). Main thread only, like the service
// that owns it.
#pragma once

#include "app/DiscRecording/DRDevice.h"

#include <QObject>
#include <QPointer>

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
    void addObserverSelectorNameObject(const void* observer, Handler handler, const QString& name, const tz::Id& object);

    // A QObject's slot; deliveries stop by themselves when the object is destroyed.
    template <typename T>
    void addObserverSelectorNameObject(T* observer, void (T::*slot)(const DRNotification&), const QString& name,
                                       const tz::Id& object)
    {
        addObserverSelectorNameObject(
            observer, [observer, slot](const DRNotification& n) { (observer->*slot)(n); }, name, object);
        watchLifetime(observer);
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
    struct Registration
    {
        quint64 serial;
        const void* observer;
        Handler handler;
        QString name;
        tz::Id object;
        // Set for a QObject observer: deliveries end with the object.
        QPointer<QObject> guard;
        bool guarded = false;

        [[nodiscard]] bool alive() const { return !guarded || guard; }
        [[nodiscard]] bool wants(const DRNotification& n) const
        {
            return (name.isEmpty() || name == n.name) && (!object || object == n.object);
        }
    };
    struct Pending
    {
        DRNotification notification;
        quint64 onlyTo = 0; // one registration, or 0 for all
    };

    void watchLifetime(QObject* observer);
    void replayAppeared(quint64 serial, const std::shared_ptr<const tz::Array>& devices);
    void deliverPending();
    void dropDeadRegistrations();
    void reportObserving(bool wasObserving);

    DeviceList _attachedDevices;
    QList<Registration> _registrations;
    QList<Pending> _pending;
    quint64 _nextSerial = 1;
    bool _delivering = false;
};
