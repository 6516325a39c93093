#include "Foundation_Additions/NSNotification/NotificationCenter.h"

#include "Foundation/LogLine.h"

#include <QPointer>

#include <atomic>

namespace tz {

struct NotificationCenter::Registration
{
    const void* observer;
    Handler handler;
    QString name;
    Id object;
    // Set for a QObject observer: deliveries end with the object.
    QPointer<QObject> guard;
    bool guarded = false;
    std::atomic<bool> removed = false;

    [[nodiscard]] bool alive() const { return !removed && (!guarded || guard); }
    [[nodiscard]] bool wants(const Notification& n) const
    {
        return (name.isEmpty() || name == n.name) && (!object || object == n.object);
    }
};

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

bool NotificationCenter::addObserverSelectorNameObject(QObject* observer, Selector selector, const QString& name,
                                                       const Id& object)
{
    const QMetaMethod method = observer ? methodForSelector(observer->metaObject(), selector) : QMetaMethod();
    if (!method.isValid() || method.parameterCount() != 1
        || method.parameterMetaType(0) != QMetaType::fromType<Notification>()) {
        TZ_LOG_LINE("-[NSNotificationCenter addObserver:selector:name:object:]", "BAD METHOD SIGNATURE FOR [%@ %@]",
                    classNameOf(observer), selector.name());
        return false;
    }
    auto registration = std::make_shared<Registration>();
    registration->observer = observer;
    registration->handler = [observer, method](const Notification& n) {
        Notification copy = n;
        invokeRaw(observer, method, nullptr, {&copy});
    };
    registration->name = name;
    registration->object = object;
    registration->guard = observer;
    registration->guarded = true;
    const QMutexLocker lock(&_mutex);
    _registrations.push_back(std::move(registration));
    return true;
}

void NotificationCenter::addObserverNameObject(const void* observer, Handler handler, const QString& name,
                                               const Id& object)
{
    if (!handler)
        return;
    auto registration = std::make_shared<Registration>();
    registration->observer = observer;
    registration->handler = std::move(handler);
    registration->name = name;
    registration->object = object;
    const QMutexLocker lock(&_mutex);
    _registrations.push_back(std::move(registration));
}

void NotificationCenter::removeObserverNameObject(const void* observer, const QString& name, const Id& object)
{
    const QMutexLocker lock(&_mutex);
    std::erase_if(_registrations, [&](const std::shared_ptr<Registration>& r) {
        const bool matches = (!observer || r->observer == observer) && (name.isEmpty() || r->name == name)
            && (!object || r->object == object);
        if (matches)
            r->removed = true;
        return matches || !r->alive();
    });
}

void NotificationCenter::removeObserver(const void* observer)
{
    if (observer)
        removeObserverNameObject(observer, {}, {});
}

void NotificationCenter::postNotification(const Notification& notification)
{
    std::vector<std::shared_ptr<Registration>> matching;
    {
        const QMutexLocker lock(&_mutex);
        std::erase_if(_registrations, [](const std::shared_ptr<Registration>& r) { return !r->alive(); });
        for (const auto& r : _registrations) {
            if (r->wants(notification))
                matching.push_back(r);
        }
    }
    for (const auto& r : matching) {
        if (r->alive())
            r->handler(notification);
    }
}

void NotificationCenter::postNotificationNameObject(const QString& name, const Id& object,
                                                    const DictionaryPtr& userInfo)
{
    postNotification({name, object, userInfo});
}

qsizetype NotificationCenter::observerCount() const
{
    const QMutexLocker lock(&_mutex);
    return std::count_if(_registrations.cbegin(), _registrations.cend(),
                         [](const std::shared_ptr<Registration>& r) { return r->alive(); });
}

} // namespace tz
