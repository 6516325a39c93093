#include "Foundation_Additions/NSString/TzNSStringDataForkPath.h"

namespace tz {

QString dataForkPath(const QString& path)
{
    const qsizetype start = path.lastIndexOf(u'/') + 1;
    if (!QStringView(path).sliced(start).startsWith(u"._"))
        return path;
    return QString(path).remove(start, 2);
}

} // namespace tz
