#include "Foundation_Additions/NSString/TzNSStringDeleteCommonPrefix.h"

#include <algorithm>

namespace tz {

QString stringByDeletingCommonPrefixWith(const QString& text, const QString& other)
{
    const auto end = text.cbegin() + std::min(text.size(), other.size());
    const qsizetype common = std::mismatch(text.cbegin(), end, other.cbegin()).first - text.cbegin();
    return common == 0 ? text : text.sliced(common);
}

} // namespace tz
