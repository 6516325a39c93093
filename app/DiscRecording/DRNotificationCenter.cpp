#include "app/DiscRecording/DRNotificationCenter.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"

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
    : QObject(parent), _attachedDevices(std::move(attachedDevices))
{
}

void DRNotificationCenter::addObserverSelectorNameObject(const void* observer, Handler handler, const QString& name,
                                                         const tz::Id& object)
{
    if (!handler)
        return;
    const bool wasObserving = !_registrations.isEmpty();
    const quint64 serial = _nextSerial++;
    _registrations.append({serial, observer, std::move(handler), name, object, {}, false});
    reportObserving(wasObserving);
    if ((name.isEmpty() || name == DRDeviceAppearedNotification) && _attachedDevices) {
        // The drives attached now; one that appears before the replay is posted to it anyway.
        const auto devices = _attachedDevices();
        QMetaObject::invokeMethod(this, [this, serial, devices] { replayAppeared(serial, devices); },
                                  Qt::QueuedConnection);
    }
}

void DRNotificationCenter::watchLifetime(QObject* observer)
{
    Registration& last = _registrations.last();
    last.guard = observer;
    last.guarded = true;
    connect(observer, &QObject::destroyed, this, &DRNotificationCenter::dropDeadRegistrations,
            Qt::UniqueConnection);
}

void DRNotificationCenter::removeObserverNameObject(const void* observer, const QString& name, const tz::Id& object)
{
    const bool wasObserving = !_registrations.isEmpty();
    _registrations.removeIf([&](const Registration& r) {
        return r.observer == observer && (name.isEmpty() || r.name == name) && (!object || r.object == object);
    });
    reportObserving(wasObserving);
}

void DRNotificationCenter::dropDeadRegistrations()
{
    const bool wasObserving = !_registrations.isEmpty();
    _registrations.removeIf([](const Registration& r) { return !r.alive(); });
    reportObserving(wasObserving);
}

void DRNotificationCenter::reportObserving(bool wasObserving)
{
    const bool observing = !_registrations.isEmpty();
    if (observing != wasObserving)
        Q_EMIT observingChanged(observing);
}

void DRNotificationCenter::replayAppeared(quint64 serial, const std::shared_ptr<const tz::Array>& devices)
{
    const auto registered = [this, serial] {
        return std::any_of(_registrations.cbegin(), _registrations.cend(),
                           [serial](const Registration& r) { return r.serial == serial; });
    };
    if (!registered())
        return;
    // Only those still attached: one that went meanwhile has had its disappearance.
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
        QList<quint64> targets;
        for (const Registration& r : std::as_const(_registrations)) {
            if ((next.onlyTo == 0 || r.serial == next.onlyTo) && r.wants(next.notification))
                targets.append(r.serial);
        }
        // Each handler is looked up again: an earlier one may have removed it.
        for (const quint64 serial : std::as_const(targets)) {
            const auto it = std::find_if(_registrations.cbegin(), _registrations.cend(),
                                         [serial](const Registration& r) { return r.serial == serial; });
            if (it == _registrations.cend() || !it->alive())
                continue;
            const Handler handler = it->handler;
            handler(next.notification);
        }
    }
    _delivering = false;
}
