// Posts that always happen on the main thread, from any thread, never awaited: the post is
// queued onto the main thread's event loop (from the main thread itself too, so it happens on
// a later pass) and made there by the default centre.
#pragma once

#include "Foundation_Additions/NSNotification/Notification.h"

namespace tz {

// Whether the calling thread is the process's main thread.
[[nodiscard]] bool onMainThread();

// False when there is no application object whose loop could deliver it.
bool postMainThreadNotification(const Notification& notification);
bool postMainThreadNotificationNameObject(const QString& name, const Id& object);
bool postMainThreadNotificationNameObjectUserInfo(const QString& name, const Id& object, const DictionaryPtr& userInfo);

} // namespace tz
