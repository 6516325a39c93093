#include "app/DRTrack.h"

#include "Foundation/Format.h"
#include "app/AttributesFormatter.h"

QString DRTrack::description() const
{
    return tz::format("DRTrack; Properties: %@", AttributesFormatter::stringFromAttributesDict(_properties).string());
}
