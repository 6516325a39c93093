// Substring tests.
#pragma once

#include <QString>

namespace tz {

// True if needle occurs in text, case ignored, canonically equivalent forms equal ("e" + U+0301 is "é").
[[nodiscard]] bool contains(const QString& text, const QString& needle);
// True if needle occurs in text, compared literally.
[[nodiscard]] bool containsPrecisely(const QString& text, const QString& needle);

} // namespace tz
