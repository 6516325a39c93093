// Detaching an object, before it is destroyed, from what could still call it.
#pragma once

#include <QObject>

namespace tz {

// Removes the object as observer of every notification of the default notification centre,
// then drops every delayed message for it waiting in the calling thread.
void CleanUpAtDealloc(QObject* object);

} // namespace tz
