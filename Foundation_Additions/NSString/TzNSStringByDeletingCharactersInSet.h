// Deleting the members, or the non-members, of a character set.
#pragma once

#include "Foundation/CharacterSet.h"

#include <QString>

namespace tz {

[[nodiscard]] QString stringByDeletingCharactersInSet(const QString& text, const CharacterSet& set);
[[nodiscard]] QString stringByDeletingCharactersNotInSet(const QString& text, const CharacterSet& set);

} // namespace tz
