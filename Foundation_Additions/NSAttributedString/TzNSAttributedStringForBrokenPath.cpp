#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringForBrokenPath.h"

#include "Foundation_Additions/NSString/TzNSStringValidPartOfPath.h"

#include <QColor>

namespace tz {

AttributedString attributedStringForBrokenPath(const QString& path)
{
    MutableAttributedString text(path, {{ForegroundColorAttributeName, QColor::fromRgbF(0.5f, 0.0f, 0.0f, 1.0f)}});
    const qsizetype valid = validPartOfPathResolvingLinks(path, false).size();
    text.addAttributeInRange(ForegroundColorAttributeName, QColor(Qt::black), makeRange(0, quint32(valid)));
    return text;
}

} // namespace tz
