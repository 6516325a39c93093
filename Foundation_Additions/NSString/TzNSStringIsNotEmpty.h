// Emptiness test that reads well in conditions.
#pragma once

#include <QString>

namespace tz {

// False only for the empty (or null) string.
[[nodiscard]] inline bool isNotEmpty(const QString& text)
{
    return !text.isEmpty();
}

} // namespace tz
