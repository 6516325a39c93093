// Delayed messages: a selector sent to a target after a delay by the calling thread's event
// loop, and the cancelling of the messages still waiting for a target. A waiting message is
// kept by a timer the target owns, so it goes when the target does.
#pragma once

#include "Foundation/Selector.h"

#include <QObject>

namespace tz {

// Sends the selector to the target, with the argument, once the delay (seconds; less than 0
// counts as 0) has passed and the event loop runs again: the method takes one tz::Id for a
// selector with one colon, nothing for one without. False, and nothing is sent, for a null
// target or selector, a target that lives in another thread, or one without such a method
// (which writes "BAD METHOD SIGNATURE FOR [%@ %@]").
bool performSelectorWithObjectAfterDelay(QObject* target, Selector selector, const Id& argument, double delay);
// Every message still waiting for the target in the calling thread is dropped.
void cancelPreviousPerformRequestsWithTarget(QObject* target);

} // namespace tz
