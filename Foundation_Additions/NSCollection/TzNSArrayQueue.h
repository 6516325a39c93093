// Queue and stack operations on a mutable array, changing it in place. A nil receiver does
// nothing and answers nil (false for isEmpty's opposite: a nil receiver is empty).
#pragma once

#include "Foundation/MutableArray.h"

namespace tz {

// Appends the object at the end.
void FIFOEnqueue(const MutableArrayPtr& queue, const Id& object);
// Inserts the object at the front.
void LIFOEnqueue(const MutableArrayPtr& queue, const Id& object);
// Removes and answers the front element. An empty queue is outside the contract: it answers
// nil and writes " -- index 0 (0x0) out of bounds 0".
Id dequeue(const MutableArrayPtr& queue);

// Appends the object at the end.
void push(const MutableArrayPtr& stack, const Id& object);
// The last element; nil when empty.
[[nodiscard]] Id top(const MutableArrayPtr& stack);
// top, removed when there was one; nil and no change when empty.
Id pop(const MutableArrayPtr& stack);
[[nodiscard]] bool isEmpty(const MutableArrayPtr& stack);

} // namespace tz
