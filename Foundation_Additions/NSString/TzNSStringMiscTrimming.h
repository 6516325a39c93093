// Trimming at either end by character class, and membership tests over a whole text.
// Each trim returns the receiver itself when nothing is trimmed, the empty string when
// everything is.
#pragma once

#include "Foundation/CharacterSet.h"

#include <QString>

namespace tz {

// From the first code unit outside the set to the end.
[[nodiscard]] QString stringByTrimmingLeadMembersOfCharacterSet(const QString& text, const CharacterSet& set);
// From the start up to and including the last code unit outside the set.
[[nodiscard]] QString stringByTrimmingTailMembersOfCharacterSet(const QString& text, const CharacterSet& set);
// Both ends.
[[nodiscard]] QString stringByTrimmingMembersOfCharacterSet(const QString& text, const CharacterSet& set);

// The same three with white space and line ends.
[[nodiscard]] QString stringByTrimmingLeadWhiteSpaces(const QString& text);
[[nodiscard]] QString stringByTrimmingTailWhiteSpaces(const QString& text);
[[nodiscard]] QString stringByTrimmingWhiteSpaces(const QString& text);

// True when no code unit lies outside the set (so true for the empty string).
[[nodiscard]] bool containsOnlyCharactersFromSet(const QString& text, const CharacterSet& set);
// The number of code units that are members of the set.
[[nodiscard]] qsizetype countOfCharactersFromSet(const QString& text, const CharacterSet& set);

} // namespace tz
