// Copies handed to the caller's current autorelease scope: they live at least until it ends.
// Immutable kinds are their own copy; arrays are the one kind with a mutable copy.
#pragma once

#include "Foundation/MutableArray.h"

namespace tz {

// An immutable copy: a mutable array's current elements as an Array, any other object itself.
[[nodiscard]] Id autoreleasedCopy(const Id& object);
// A mutable copy of an array (either kind); nil for nil and for kinds without a mutable form.
[[nodiscard]] MutableArrayPtr autoreleasedMutableCopy(const Id& object);

} // namespace tz
