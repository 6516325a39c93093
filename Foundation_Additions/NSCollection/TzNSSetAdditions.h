// Value-style set operations: each returns a new immutable set, or the receiver itself (the
// same pointer) when nothing changes. Linear: membership goes through the elements' hashes.
// A nil receiver gives nil; a nil argument changes nothing.
#pragma once

#include "Foundation/Set.h"

namespace tz {

using SetPtr = std::shared_ptr<const Set>;

// The receiver's elements that are also in the other, in the receiver's order.
[[nodiscard]] SetPtr setByIntersectionWithSet(const SetPtr& set, const SetPtr& other);
// The receiver's elements that are not in the other.
[[nodiscard]] SetPtr setBySubtractingSet(const SetPtr& set, const SetPtr& other);
// The receiver's elements, then the other's that it lacks.
[[nodiscard]] SetPtr setByUnionWithSet(const SetPtr& set, const SetPtr& other);
[[nodiscard]] SetPtr setByAddingObject(const SetPtr& set, const Id& object);
[[nodiscard]] SetPtr setByRemovingObject(const SetPtr& set, const Id& object);

} // namespace tz
