// Splitting at members of a character set, by runs or by single members.
#pragma once

#include "Foundation/CharacterSet.h"

#include <QStringList>

namespace tz {

// A run of members separates two components. A leading run gives one empty first component,
// a trailing run (or a text of members only) one empty last component:
// with {space}, "" -> (), "a  b" -> (a, b), " a " -> ("", a, ""), "  " -> ("", "").
[[nodiscard]] QStringList componentsSeparatedByCharactersFromSet(const QString& text, const CharacterSet& set);

// Every member separates. A leading run of L members gives L empty components, a later run
// L - 1, so one trailing separator gives none:
// with {comma}, ",a" -> ("", a), "a,,b" -> (a, "", b), "a," -> (a), "a,,," -> (a, "", ""), ",," -> ("", "").
[[nodiscard]] QStringList componentsSeparatedByACharacterFromSet(const QString& text, const CharacterSet& set);

} // namespace tz
