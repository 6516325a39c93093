// The library's notification centre: observers register for a name (any name when empty) and a
// sender (any sender when nil, otherwise that very object) and are called, in the posting
// thread, in the order they registered. An observer is a QObject with a selector whose method
// takes one tz::Notification, or any callable kept under an observer pointer. QObject observers
// stop receiving by themselves when destroyed. Registering, removing and posting may happen
// from any thread and during a delivery: a removed observer is not called again, also within
// the delivery under way; one added during a delivery receives the later posts.
#pragma once

#include "Foundation/Selector.h"
#include "Foundation_Additions/NSNotification/Notification.h"

#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace tz {

class NotificationCenter
{
public:
    using Handler = std::function<void(const Notification&)>;

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    // The process's default centre.
    [[nodiscard]] static NotificationCenter& defaultCenter();

    // False, with "BAD METHOD SIGNATURE FOR [%@ %@]" written, when the observer has no method
    // for the selector taking one tz::Notification.
    bool addObserverSelectorNameObject(QObject* observer, Selector selector, const QString& name, const Id& object);
    void addObserverNameObject(const void* observer, Handler handler, const QString& name, const Id& object);
    // Removes the observer's registrations for that name and sender; an empty name or a nil
    // sender matches all of them. A null observer matches every observer.
    void removeObserverNameObject(const void* observer, const QString& name, const Id& object);
    void removeObserver(const void* observer);
    // A QObject observer is known by its QObject address, as it registered.
    void removeObserverNameObject(const QObject* observer, const QString& name, const Id& object)
    {
        removeObserverNameObject(static_cast<const void*>(observer), name, object);
    }
    void removeObserver(const QObject* observer) { removeObserver(static_cast<const void*>(observer)); }

    // Calls the matching observers now, in this thread.
    void postNotification(const Notification& notification);
    void postNotificationNameObject(const QString& name, const Id& object, const DictionaryPtr& userInfo = {});

    // The number of registrations whose observers are still there.
    [[nodiscard]] qsizetype observerCount() const;

private:
    struct Registration;
    mutable QMutex _mutex;
    std::vector<std::shared_ptr<Registration>> _registrations;
};

} // namespace tz
