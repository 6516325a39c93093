#include "Foundation_Additions/NSFileManager/CleanUpAtDealloc.h"

#include "Foundation_Additions/NSNotification/NotificationCenter.h"
#include "Foundation_Additions/NSObject/TzNSObjectPerformSelectorAfterDelay.h"

namespace tz {

void CleanUpAtDealloc(QObject* object)
{
    if (!object)
        return;
    NotificationCenter::defaultCenter().removeObserver(object);
    cancelPreviousPerformRequestsWithTarget(object);
}

} // namespace tz
