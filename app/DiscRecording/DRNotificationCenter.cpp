#include "app/DiscRecording/DRNotificationCenter.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"

#include <QPointer>
#include <QThread>

DRNotificationCenter* DRNotificationCenter::currentRunLoopCenter()
{
    DriveService* service = DriveService::installed();
    if (!service)
        qFatal("DRNotificationCenter: no drive service is installed");
    Q_ASSERT_X(QThread::currentThread() == service->thread(), "DRNotificationCenter", "used off the main thread");
    return service->notificationCenter();
}

DRNotificationCenter::DRNotificationCenter(DeviceList attachedDevices, QObject* parent)
    : QObject(parent),
      _attachedDevices(std::move(attachedDevices))
{}

void DRNotificationCenter::addObserverSelectorNameObject(const void* observer, Handler handler, const QString& name,
                                                         const tz::Id& object)
{
    addRegistration(observer, std::move(handler), name, object, nullptr);
}

void DRNotificationCenter::addRegistration(const void* observer, Handler handler, const QString& name,
                                           const tz::Id& object, QObject* lifetime)
{
    if (!handler)
        return;
    const bool wasObserving = observing();
    const quint64 serial = _nextSerial++;
    const QPointer<QObject> guard = lifetime;
    _center.addObserverNameObject(
        keyOf(observer),
        [this, serial, guard, guarded = lifetime != nullptr, handler = std::move(handler)](const tz::Notification& n) {
            if ((_onlyTo != 0 && _onlyTo != serial) || (guarded && !guard))
                return;
            handler({n.name, n.object});
        },
        name, object);
    if (lifetime) {
        if (!_lifetimeKeys.contains(lifetime, keyOf(observer)))
            _lifetimeKeys.insert(lifetime, keyOf(observer));
        connect(lifetime, &QObject::destroyed, this, &DRNotificationCenter::observerDestroyed, Qt::UniqueConnection);
    }
    reportObserving(wasObserving);
    if ((name.isEmpty() || name == DRDeviceAppearedNotification) && _attachedDevices) {
        // The drives attached now; one that appears before the replay is posted to it anyway.
        const auto devices = _attachedDevices();
        QMetaObject::invokeMethod(
            this, [this, serial, devices] { replayAppeared(serial, devices); }, Qt::QueuedConnection);
    }
}

const void* DRNotificationCenter::keyOf(const void* observer) const
{
    // The library centre takes a null observer for every observer; here it is one of its own.
    return observer ? observer : &_nullObserver;
}

void DRNotificationCenter::removeObserverNameObject(const void* observer, const QString& name, const tz::Id& object)
{
    const bool wasObserving = observing();
    _center.removeObserverNameObject(keyOf(observer), name, object);
    reportObserving(wasObserving);
}

void DRNotificationCenter::observerDestroyed(QObject* gone)
{
    const bool wasObserving = observing();
    for (const void* key : _lifetimeKeys.values(gone))
        _center.removeObserver(key);
    _lifetimeKeys.remove(gone);
    reportObserving(wasObserving);
}

void DRNotificationCenter::reportObserving(bool wasObserving)
{
    const bool now = observing();
    if (now != wasObserving)
        Q_EMIT observingChanged(now);
}

void DRNotificationCenter::replayAppeared(quint64 serial, const std::shared_ptr<const tz::Array>& devices)
{
    // Only those still attached: one that went meanwhile has had its disappearance. A
    // registration removed meanwhile is no longer called.
    const auto attached = _attachedDevices();
    for (const tz::Id& device : devices->objects()) {
        if (attached->containsObject(device))
            _pending.append({{DRDeviceAppearedNotification, device}, serial});
    }
    deliverPending();
}

void DRNotificationCenter::postNotification(const DRNotification& notification)
{
    _pending.append({notification, 0});
    deliverPending();
}

void DRNotificationCenter::deliverPending()
{
    // A handler that turns a nested event loop must not see the next notification early.
    if (_delivering)
        return;
    _delivering = true;
    while (!_pending.isEmpty()) {
        const Pending next = _pending.takeFirst();
        _onlyTo = next.onlyTo;
        _center.postNotification({next.notification.name, next.notification.object, {}});
    }
    _onlyTo = 0;
    _delivering = false;
}
