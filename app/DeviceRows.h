// The row dictionaries of the two device tables: one per attached drive, built from the
// drive service, and one per personality of the device-support profile. Rows are immutable;
// a value that is missing leaves its key out (with the dictionary additions' log line).
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"
#include "app/DiscRecording/DRDevice.h"

// Keys of a row dictionary, set in this order; table columns carry them as identifiers.
inline const QString modelKey = QStringLiteral("MODEL");
inline const QString manufacturerKey = QStringLiteral("MANUFACTURER");
inline const QString supportedKey = QStringLiteral("SUPPORTED");
inline const QString infoKey = QStringLiteral("INFO");
inline const QString statusKey = QStringLiteral("STATUS");
inline const QString deviceKey = QStringLiteral("DEVICE");

// Joins the parts of an assembled manufacturer text.
inline const QString dividerString = QStringLiteral(" / ");

namespace DeviceRows {

// The manufacturer text of one personality: the actual vendor (trimmed), the personality's
// vendor (trimmed) and its alternate vendor names (a string, or an array joined with " / ",
// then trimmed as a whole), the non-empty ones joined with " / ";
// "[UNKNOWN MANUFACTURER]" when all are empty or missing.
[[nodiscard]] QString manufacturerForPersonality(const QString& actualVendor, const tz::Id& personality);

// One row per personality of every entry, in file order: MODEL, MANUFACTURER, INFO (the entry's
// profile dictionary). A root that is not an array, and entries without personalities, give none.
[[nodiscard]] QList<tz::Id> supportedRowsFromProfile(const tz::Id& profileRoot);

// The row of an attached drive: MODEL ("name, location via interconnect"), MANUFACTURER,
// SUPPORTED (its support level's distinctive tail), INFO, STATUS (read now) and DEVICE.
[[nodiscard]] tz::DictionaryPtr connectedRowForDevice(const DRDevicePtr& device);

// The rows of the drives attached now (DRDevice::devices()), in the service's order.
[[nodiscard]] QList<tz::Id> connectedRows();

} // namespace DeviceRows
