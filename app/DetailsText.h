// The details pane's text for one row: the row's information and, for an attached drive,
// its status as read now, each under a heading stamped with the date and time.
#pragma once

#include "Foundation/Dictionary.h"
#include "Foundation_Additions/NSAttributedString/AttributedString.h"

#include <QDateTime>

namespace DetailsText {

// "yyyy-MM-dd HH:mm:ss ±hhmm" in the moment's own zone or offset, as in "2007-03-01 14:05:09 +0100".
[[nodiscard]] QString dateText(const QDateTime& moment);

// "Device Information \n<date>\n\n" and the formatted INFO; for a row with a DEVICE, then
// "\nDevice Status\n<date>\n\n" and the device's status read now (not the row's STATUS), and
// "\nDevice Path\n" with the info's device path as an iconic path string and "\n".
[[nodiscard]] tz::AttributedString forRow(const tz::DictionaryPtr& row);

} // namespace DetailsText
