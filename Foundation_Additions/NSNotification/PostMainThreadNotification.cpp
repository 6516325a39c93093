#include "Foundation_Additions/NSNotification/PostMainThreadNotification.h"

#include "Foundation_Additions/NSNotification/NotificationCenter.h"

#include <QCoreApplication>

#include <unistd.h>

namespace tz {

bool onMainThread()
{
    // On Linux the main thread's id is the process id.
    return ::gettid() == ::getpid();
}

bool postMainThreadNotification(const Notification& notification)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    return QMetaObject::invokeMethod(
        app, [notification] { NotificationCenter::defaultCenter().postNotification(notification); },
        Qt::QueuedConnection);
}

bool postMainThreadNotificationNameObject(const QString& name, const Id& object)
{
    return postMainThreadNotification({name, object, {}});
}

bool postMainThreadNotificationNameObjectUserInfo(const QString& name, const Id& object, const DictionaryPtr& userInfo)
{
    return postMainThreadNotification({name, object, userInfo});
}

} // namespace tz
