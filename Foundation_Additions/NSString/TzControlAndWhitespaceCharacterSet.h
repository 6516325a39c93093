// The control-and-white-space class (white space together with controls), kept in one
// process-wide slot. It holds U+0009 to U+000D but not U+2028 or U+2029.
#pragma once

#include "Foundation/CharacterSet.h"

#include <optional>

namespace tz {

// The set in the shared slot; when the slot is empty the union is built and stored there first.
// Safe for concurrent first use.
[[nodiscard]] CharacterSet controlAndWhitespaceCharacterSet();
// The set in the shared slot, or nullopt while it is empty.
[[nodiscard]] std::optional<CharacterSet> sharedCandWCharacterSet();
// Replaces the set in the shared slot (nullopt empties it).
void setSharedCandWCharacterSet(const std::optional<CharacterSet>& set);

} // namespace tz
