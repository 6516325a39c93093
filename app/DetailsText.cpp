#include "app/DetailsText.h"

#include "Foundation/Format.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringAdditions.h"
#include "Foundation_Additions/NSAttributedString/TzNSAttributedStringIconicAttributedStringForPath.h"
#include "Foundation/String.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/AttributesFormatter.h"
#include "app/DeviceRows.h"

#include <cstdlib>

namespace DetailsText {

QString dateText(const QDateTime& moment)
{
    const int offset = moment.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + QLatin1Char(offset < 0 ? '-' : '+')
        + QStringLiteral("%1%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

tz::AttributedString forRow(const tz::DictionaryPtr& row)
{
    using tz::AttributedString;
    using tz::attributedStringByAppendingAttributedString;

    const auto now = [] { return dateText(QDateTime::currentDateTime()); };
    const auto value = [&row](const QString& key) { return row ? row->objectForKey(key) : tz::Id(); };

    AttributedString text =
        AttributedString::attributedStringWithString(tz::format("Device Information \n%@\n\n", now()));
    text = attributedStringByAppendingAttributedString(
        text, AttributesFormatter::stringFromAttributesDict(tz::cast<tz::Dictionary>(value(infoKey))));

    if (const auto device = tz::cast<DRDevice>(value(deviceKey))) {
        text = attributedStringByAppendingAttributedString(
            text, AttributedString::attributedStringWithString(tz::format("\nDevice Status\n%@\n\n", now())));
        const tz::DictionaryPtr status = device->status();
        text = attributedStringByAppendingAttributedString(text, AttributesFormatter::stringFromAttributesDict(status));
        const auto info = tz::cast<tz::Dictionary>(value(infoKey));
        const auto appendPath = [&text](const QString& title, const QString& path) {
            if (path.isEmpty())
                return;
            text = attributedStringByAppendingAttributedString(
                text, AttributedString::attributedStringWithString(u'\n' + title + u'\n'));
            text = attributedStringByAppendingAttributedString(text, tz::iconicAttributedStringForPath(path));
            text = attributedStringByAppendingAttributedString(
                text, AttributedString::attributedStringWithString(QStringLiteral("\n")));
        };
        appendPath(QStringLiteral("Device Path"), tz::textOf(info ? info->objectForKey(DRDevicePathKey) : tz::Id()));
        appendPath(QStringLiteral("Mount Point"),
                   tz::textOf(status ? status->objectForKey(DRDeviceMountPointKey) : tz::Id()));
    }
    return text;
}

} // namespace DetailsText
