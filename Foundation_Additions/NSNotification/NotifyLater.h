// Deferred, coalescing posts on the calling thread's default queue: as soon as possible (when
// the event loop next delivers posted events) or when idle, coalescing on name and sender, so a
// post whose name and sender are already waiting is absorbed. Delivered also while a modal
// dialog or a menu runs its own loop.
#pragma once

#include "Foundation_Additions/NSNotification/Notification.h"

namespace tz {

void postNotificationWithNameObjectUserInfoAtIdle(const QString& name, const Id& object, const DictionaryPtr& userInfo,
                                                  bool atIdle);
void postNotificationWithNameObjectAtIdle(const QString& name, const Id& object, bool atIdle);
void postIdleNotificationWithNameObject(const QString& name, const Id& object);

} // namespace tz
