// Lists of ranges as one line of text ("{0, 3} {4, 2}"), for comparing them in tests.
#pragma once

#include "Foundation/RangeFunctions.h"

#include <QList>
#include <QStringList>

inline QString rangesText(const QList<tz::Range>& ranges)
{
    QStringList parts;
    for (const tz::Range& range : ranges)
        parts.append(tz::stringFromRange(range));
    return parts.join(u' ');
}
