// Shortcuts acting on the default notification centre.
#pragma once

#include "Foundation_Additions/NSNotification/NotificationCenter.h"

namespace tz {

bool addObserverSelectorNameObject(QObject* observer, Selector selector, const QString& name, const Id& object);
void removeObserverNameObject(const QObject* observer, const QString& name, const Id& object);
// Every registration of the observer.
void removeObserver(const QObject* observer);
// Every registration for that sender, whatever its observer and name (the sender is going away).
void removeObserversOf(const Id& object);

} // namespace tz
