// A queue of notifications for one thread (the default queue of each thread), delivered by the
// thread's Qt event loop through a centre. Post-as-soon-as-possible delivers once the loop
// comes round to the posted events it holds; post-when-idle delivers when the thread's event
// dispatcher is about to wait for more events. Both are delivered in nested loops too: a modal
// dialog's exec(), an open menu. Coalescing drops a new notification when one with the same
// name (and/or the same sender) is already waiting.
#pragma once

#include "Foundation_Additions/NSNotification/NotificationCenter.h"

#include <QObject>
#include <QPointer>

namespace tz {

class NotificationQueue : public QObject
{
    Q_OBJECT
public:
    enum class PostingStyle { WhenIdle, ASAP, Now };
    enum Coalescing { NoCoalescing = 0, CoalescingOnName = 1, CoalescingOnSender = 2 };

    // The calling thread's default queue, posting to the default centre.
    [[nodiscard]] static NotificationQueue& defaultQueue();

    explicit NotificationQueue(NotificationCenter& center, QObject* parent = nullptr);
    ~NotificationQueue() override;

    // Now posts at once (after coalescing against the waiting ones).
    void enqueueNotification(const Notification& notification, PostingStyle style,
                             int coalescing = CoalescingOnName | CoalescingOnSender);
    // Drops the waiting notifications that match under the coalescing rule.
    void dequeueNotificationsMatching(const Notification& notification, int coalescing);

    [[nodiscard]] qsizetype waitingCount() const { return _asap.size() + _idle.size(); }

protected:
    bool event(QEvent* event) override;

private:
    struct Waiting
    {
        Notification notification;
        int coalescing;
    };
    [[nodiscard]] bool absorbs(const QList<Waiting>& list, const Notification& notification, int coalescing) const;
    void deliver(QList<Waiting>& list);
    void aboutToBlock();

    NotificationCenter& _center;
    QList<Waiting> _asap;
    QList<Waiting> _idle;
    bool _asapScheduled = false;
    bool _idleScheduled = false;
    bool _watchingDispatcher = false;
};

} // namespace tz
