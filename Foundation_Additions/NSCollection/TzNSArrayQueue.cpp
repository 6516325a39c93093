#include "Foundation_Additions/NSCollection/TzNSArrayQueue.h"

#include "Foundation/LogLine.h"

namespace tz {

void FIFOEnqueue(const MutableArrayPtr& queue, const Id& object)
{
    if (queue)
        queue->addObject(object);
}

void LIFOEnqueue(const MutableArrayPtr& queue, const Id& object)
{
    if (queue)
        queue->insertObjectAtIndex(object, 0);
}

Id dequeue(const MutableArrayPtr& queue)
{
    if (!queue)
        return {};
    if (queue->isEmpty()) {
        TZ_LOG_LINE("-[NSMutableArray(TzNSArrayQueue) dequeue]", " -- index %d (0x%x) out of bounds %d", 0, 0u, 0);
        return {};
    }
    const Id front = queue->objectAtIndex(0);
    queue->removeObjectAtIndex(0);
    return front;
}

void push(const MutableArrayPtr& stack, const Id& object)
{
    if (stack)
        stack->addObject(object);
}

Id top(const MutableArrayPtr& stack)
{
    return stack && !stack->isEmpty() ? stack->objectAtIndex(stack->count() - 1) : Id();
}

Id pop(const MutableArrayPtr& stack)
{
    const Id last = top(stack);
    if (last)
        stack->removeObjectAtIndex(stack->count() - 1);
    return last;
}

bool isEmpty(const MutableArrayPtr& stack)
{
    return !stack || stack->isEmpty();
}

} // namespace tz
