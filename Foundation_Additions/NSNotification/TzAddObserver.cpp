#include "Foundation_Additions/NSNotification/TzAddObserver.h"

namespace tz {

bool addObserverSelectorNameObject(QObject* observer, Selector selector, const QString& name, const Id& object)
{
    return NotificationCenter::defaultCenter().addObserverSelectorNameObject(observer, selector, name, object);
}

void removeObserverNameObject(const QObject* observer, const QString& name, const Id& object)
{
    NotificationCenter::defaultCenter().removeObserverNameObject(observer, name, object);
}

void removeObserver(const QObject* observer)
{
    removeObserverNameObject(observer, {}, {});
}

void removeObserversOf(const Id& object)
{
    if (object)
        NotificationCenter::defaultCenter().removeObserverNameObject(static_cast<const void*>(nullptr), {}, object);
}

} // namespace tz
