// Whether the vectorised (SSE2/SSSE3) paths of the codecs, the line splitter and the character-set
// search run. They do, unless TZKIT_PORTABLE_PATHS=1 is set in the environment (read on first use)
// or a caller turned them off: the portable paths then handle every input, so tests and fuzz
// targets can run and compare both.
#pragma once

namespace tz {

[[nodiscard]] bool vectorPathsEnabled() noexcept;
void setVectorPathsEnabled(bool enabled) noexcept;

} // namespace tz
