// Name-to-selector lookups that never make a new selector known (see Foundation/Selector.h for
// what the selector table holds).
#pragma once

#include "Foundation/Selector.h"

namespace tz {

// Whether a selector of that name is known to the selector table.
[[nodiscard]] bool methodExists(const QString& name);
// The selector of that name when methodExists; no selector otherwise.
[[nodiscard]] Selector TzNSSelectorFromString(const QString& name);
// "menuValidationFor" + the action's name with its first character in upper case ("copy:" ->
// "menuValidationForCopy:"), when such a selector is known; no selector otherwise.
[[nodiscard]] Selector validationMethodExistsForAction(Selector action);

} // namespace tz
