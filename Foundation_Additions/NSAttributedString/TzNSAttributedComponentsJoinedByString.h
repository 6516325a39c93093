// Joining a list of styled strings.
#pragma once

#include "Foundation_Additions/NSAttributedString/AttributedString.h"

namespace tz {

// The components with the separator between each one and the next (none after the last);
// the empty list gives the empty text. A plain separator carries no attributes. Linear.
[[nodiscard]] AttributedString attributedComponentsJoinedByString(const QList<AttributedString>& components,
                                                                  const AttributedString& separator);
[[nodiscard]] AttributedString attributedComponentsJoinedByString(const QList<AttributedString>& components,
                                                                  const QString& separator);

} // namespace tz
