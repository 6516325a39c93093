#include "Foundation_Additions/NSAttributedString/TzNSAttributedComponentsJoinedByString.h"

namespace tz {

AttributedString attributedComponentsJoinedByString(const QList<AttributedString>& components,
                                                    const AttributedString& separator)
{
    MutableAttributedString joined;
    for (qsizetype i = 0; i < components.size(); ++i) {
        if (i > 0)
            joined.appendAttributedString(separator);
        joined.appendAttributedString(components[i]);
    }
    return joined;
}

AttributedString attributedComponentsJoinedByString(const QList<AttributedString>& components, const QString& separator)
{
    return attributedComponentsJoinedByString(components, AttributedString(separator));
}

} // namespace tz
