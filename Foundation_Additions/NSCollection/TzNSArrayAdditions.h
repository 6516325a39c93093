// Value-style array operations: each returns a new immutable array, or the receiver itself
// (the same pointer) when nothing changes; range operations with logged bounds checks; the
// predicate call by selector and the filters built on it; the subarray of an index set.
// A nil receiver gives nil (false, an empty range), as a message to nil would.
//
// Calls outside an operation's contract are answered, never undefined: each writes one log
// line naming its function and returns the receiver unchanged. They are:
//   arrayByRemovingObjectAtIndex, arrayByInsertingObjectAtIndex, the replacements by index:
//       an index out of bounds, " -- index %d (0x%x) out of bounds %d";
//   arrayByMovingObject..ToIndex: a target outside 0...count, the same message;
//   arrayByReplacingObjectsInRangeWithObjectsFromArray: a range outside the array,
//       " -- range {%u, %u} out of bounds %d";
//   arrayTruncatedTo: a negative length, "illegal length value: %d".
// A nil object to insert or put in place adds nothing (arrays hold no nil) and gives the receiver.
//
// Predicate calls: the element must be a QObjectValue whose QObject has a method for the
// selector returning bool and taking no argument (or one tz::Id argument); any other element
// writes "BAD METHOD SIGNATURE FOR [%@ %@]" and answers false.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Range.h"
#include "Foundation/Selector.h"

#include <set>

namespace tz {

using ArrayPtr = std::shared_ptr<const Array>;

[[nodiscard]] bool isGoodObjectIndex(const ArrayPtr& array, int index);
[[nodiscard]] bool containsObjectIdenticalTo(const ArrayPtr& array, const Id& object);
// The elements in the range, clipped to the array.
[[nodiscard]] QList<Id> objectEnumeratorForRange(const ArrayPtr& array, Range range);

// (i, count - i) for 0 <= i < count, (0, 0) for i = count; otherwise (0, 0) and
// "illegal index value: %d".
[[nodiscard]] Range rangeFromIndex(const ArrayPtr& array, int index);
// (0, max(i - 1, 0)) for 0 <= i <= count: the first i - 1 elements; otherwise (0, 0) and
// "illegal index value: %d".
[[nodiscard]] Range rangeToIndex(const ArrayPtr& array, int index);
[[nodiscard]] ArrayPtr subarrayFromIndex(const ArrayPtr& array, int index);
[[nodiscard]] ArrayPtr subarrayToIndex(const ArrayPtr& array, int index);

[[nodiscard]] ArrayPtr arrayByPrependingObject(const ArrayPtr& array, const Id& object);
// Without every element equal to the object; the receiver when none is.
[[nodiscard]] ArrayPtr arrayByRemovingObject(const ArrayPtr& array, const Id& object);
// Without every element identical to the object; the receiver when none is.
[[nodiscard]] ArrayPtr arrayByRemovingObjectIdenticalTo(const ArrayPtr& array, const Id& object);
// Without every element identical to the one at the index (all of them).
[[nodiscard]] ArrayPtr arrayByRemovingObjectAtIndex(const ArrayPtr& array, int index);
// Without every element equal to one of the other's; linear, through the elements' hashes.
[[nodiscard]] ArrayPtr arrayByRemovingObjectsInArray(const ArrayPtr& array, const ArrayPtr& other);
[[nodiscard]] ArrayPtr arrayByRemovingNullObjects(const ArrayPtr& array);
// The receiver when empty, otherwise all but the last (an empty array for one element).
[[nodiscard]] ArrayPtr arrayByRemovingLastObject(const ArrayPtr& array);
// The receiver when empty, otherwise all but the first.
[[nodiscard]] ArrayPtr arrayByRemovingZerothObject(const ArrayPtr& array);
// The receiver when count <= length, otherwise the first length elements.
[[nodiscard]] ArrayPtr arrayTruncatedTo(const ArrayPtr& array, int length);

// The object inserted before position index, which must lie in 0...count.
[[nodiscard]] ArrayPtr arrayByInsertingObjectAtIndex(const ArrayPtr& array, const Id& object, int index);
// The other's elements inserted before position index, the index first clamped to 0...count.
[[nodiscard]] ArrayPtr arrayByInsertingObjectsFromArrayAtIndex(const ArrayPtr& array, const ArrayPtr& other, int index);
// The range, which must lie inside the array, replaced by the other's elements.
[[nodiscard]] ArrayPtr arrayByReplacingObjectsInRangeWithObjectsFromArray(const ArrayPtr& array, Range range,
                                                                          const ArrayPtr& other);
// Element index replaced by the object.
[[nodiscard]] ArrayPtr arrayByReplacingObjectAtIndexWithObject(const ArrayPtr& array, int index, const Id& object);
// The first element identical to old replaced; the receiver when there is none.
[[nodiscard]] ArrayPtr arrayByReplacingObjectIdenticalToWithObject(const ArrayPtr& array, const Id& old,
                                                                   const Id& replacement);
// For each element x of the other, in order, the first remaining element identical to x
// replaced by the null placeholder.
[[nodiscard]] ArrayPtr arrayByReplacingObjectsIdenticalToObjectsFromArrayWithNSNull(const ArrayPtr& array,
                                                                                    const ArrayPtr& other);
// The first element equal to the object moved to just before the element that stood at index
// (to the end for index = count); the receiver when no element is equal.
[[nodiscard]] ArrayPtr arrayByMovingObjectToIndex(const ArrayPtr& array, const Id& object, int index);
// The same, the element located by identity.
[[nodiscard]] ArrayPtr arrayByMovingObjectIdenticalToToIndex(const ArrayPtr& array, const Id& object, int index);

[[nodiscard]] bool containsObjectReturningYesForSelector(const ArrayPtr& array, Selector selector);
[[nodiscard]] bool containsObjectReturningYesForSelectorObject(const ArrayPtr& array, Selector selector,
                                                               const Id& object);
[[nodiscard]] ArrayPtr objectsReturningYesForSelector(const ArrayPtr& array, Selector selector);
[[nodiscard]] ArrayPtr objectsReturningYesForSelectorObject(const ArrayPtr& array, Selector selector, const Id& object);

// The elements at the indexes, ascending; indexes outside the array are skipped silently.
[[nodiscard]] ArrayPtr subarrayWithIndexSet(const ArrayPtr& array, const std::set<int>& indexes);

// The receiver's method for the selector, taking no argument and returning bool, called.
[[nodiscard]] bool returnsYesForSelector(QObject* receiver, Selector selector);
// The same with one tz::Id argument.
[[nodiscard]] bool returnsYesForSelectorObject(QObject* receiver, Selector selector, const Id& object);
// The same on an element: a QObjectValue's QObject; any other kind has no such method.
[[nodiscard]] bool returnsYesForSelector(const Id& receiver, Selector selector);
[[nodiscard]] bool returnsYesForSelectorObject(const Id& receiver, Selector selector, const Id& object);

} // namespace tz
