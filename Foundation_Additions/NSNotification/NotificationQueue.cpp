#include "Foundation_Additions/NSNotification/NotificationQueue.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <memory>

namespace tz {

namespace {

const QEvent::Type asapEvent = QEvent::Type(QEvent::registerEventType());
const QEvent::Type idleEvent = QEvent::Type(QEvent::registerEventType());

bool matches(const Notification& a, const Notification& b, int coalescing)
{
    if (coalescing == NotificationQueue::NoCoalescing)
        return false;
    if ((coalescing & NotificationQueue::CoalescingOnName) && a.name != b.name)
        return false;
    if ((coalescing & NotificationQueue::CoalescingOnSender) && a.object != b.object)
        return false;
    return true;
}

} // namespace

NotificationQueue& NotificationQueue::defaultQueue()
{
    // One per thread; it goes with the thread.
    thread_local std::unique_ptr<NotificationQueue> queue =
        std::make_unique<NotificationQueue>(NotificationCenter::defaultCenter());
    return *queue;
}

NotificationQueue::NotificationQueue(NotificationCenter& center, QObject* parent) : QObject(parent), _center(center)
{}

NotificationQueue::~NotificationQueue() = default;

bool NotificationQueue::absorbs(const QList<Waiting>& list, const Notification& notification, int coalescing) const
{
    return std::any_of(list.cbegin(), list.cend(),
                       [&](const Waiting& w) { return matches(w.notification, notification, coalescing); });
}

void NotificationQueue::enqueueNotification(const Notification& notification, PostingStyle style, int coalescing)
{
    if (absorbs(_asap, notification, coalescing) || absorbs(_idle, notification, coalescing))
        return;
    switch (style) {
    case PostingStyle::Now: _center.postNotification(notification); return;
    case PostingStyle::ASAP:
        _asap.append({notification, coalescing});
        if (!_asapScheduled) {
            _asapScheduled = true;
            QCoreApplication::postEvent(this, new QEvent(asapEvent));
        }
        return;
    case PostingStyle::WhenIdle:
        _idle.append({notification, coalescing});
        if (!_watchingDispatcher) {
            if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread())) {
                connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &NotificationQueue::aboutToBlock,
                        Qt::DirectConnection);
                _watchingDispatcher = true;
            }
        }
        return;
    }
}

void NotificationQueue::dequeueNotificationsMatching(const Notification& notification, int coalescing)
{
    const auto same = [&](const Waiting& w) { return matches(w.notification, notification, coalescing); };
    _asap.removeIf(same);
    _idle.removeIf(same);
}

void NotificationQueue::aboutToBlock()
{
    // Delivered on the pass the posted event wakes, not inside the dispatcher's own signal.
    if (_idle.isEmpty() || _idleScheduled)
        return;
    _idleScheduled = true;
    QCoreApplication::postEvent(this, new QEvent(idleEvent), Qt::LowEventPriority);
}

bool NotificationQueue::event(QEvent* event)
{
    if (event->type() == asapEvent) {
        _asapScheduled = false;
        deliver(_asap);
        return true;
    }
    if (event->type() == idleEvent) {
        _idleScheduled = false;
        deliver(_idle);
        return true;
    }
    return QObject::event(event);
}

void NotificationQueue::deliver(QList<Waiting>& list)
{
    // Posts made by observers wait for a later pass.
    const QList<Waiting> now = std::exchange(list, {});
    for (const Waiting& w : now)
        _center.postNotification(w.notification);
}

} // namespace tz
