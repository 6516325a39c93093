#include "Foundation_Additions/NSNotification/NotifyLater.h"

#include "Foundation_Additions/NSNotification/NotificationQueue.h"

namespace tz {

void postNotificationWithNameObjectUserInfoAtIdle(const QString& name, const Id& object, const DictionaryPtr& userInfo,
                                                  bool atIdle)
{
    NotificationQueue::defaultQueue().enqueueNotification(
        {name, object, userInfo},
        atIdle ? NotificationQueue::PostingStyle::WhenIdle : NotificationQueue::PostingStyle::ASAP,
        NotificationQueue::CoalescingOnName | NotificationQueue::CoalescingOnSender);
}

void postNotificationWithNameObjectAtIdle(const QString& name, const Id& object, bool atIdle)
{
    postNotificationWithNameObjectUserInfoAtIdle(name, object, {}, atIdle);
}

void postIdleNotificationWithNameObject(const QString& name, const Id& object)
{
    postNotificationWithNameObjectAtIdle(name, object, true);
}

} // namespace tz
