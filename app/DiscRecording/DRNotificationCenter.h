// Delivers the service's device notifications on the Qt event loop of the thread that asked
// for the centre, one at a time. Appeared is also delivered, on the next event-loop turn, for
// every drive already attached when an observer registers for it.
#pragma once

#include "app/DiscRecording/DRDevice.h"

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

    // The centre of the calling thread's event loop.
    [[nodiscard]] static DRNotificationCenter* currentRunLoopCenter();

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

private:
    explicit DRNotificationCenter(QObject* parent = nullptr);
    void watchLifetime(QObject* observer);
};
