#include "app/DeviceRows.h"

#include "Foundation/LogLine.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringDeleteCommonPrefix.h"
#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/SupportProfile.h"

#include <QStringList>

namespace DeviceRows {

namespace {

tz::Id valueForKey(const tz::Id& dict, const tz::Id& key)
{
    const auto* d = tz::as<tz::Dictionary>(dict);
    return d ? d->objectForKey(key) : tz::Id();
}

// A row made in one go from its entries, in order. A nil value leaves its key out with the
// dictionary additions' log line, as setting it one by one would.
tz::DictionaryPtr rowWithEntries(const QList<tz::Dictionary::Entry>& entries)
{
    for (const tz::Dictionary::Entry& entry : entries) {
        if (!entry.second)
            (void)tz::dictionaryBySettingObjectForKey(tz::Dictionary::make(), entry.second, entry.first);
    }
    // The dictionary leaves out the nil ones.
    return tz::Dictionary::make(entries);
}

// The text of a value that should be a string; other kinds give their description.
QString textForValue(const tz::Id& value)
{
    return value ? value->description() : QString();
}

// The value's text with the prefix it shares with its key's name removed; nil stays nil.
tz::Id strippedValue(const tz::DictionaryPtr& info, const QString& key)
{
    const tz::Id value = info ? info->objectForKey(key) : tz::Id();
    return value ? tz::str(tz::stringByDeletingCommonPrefixWith(textForValue(value), key)) : tz::Id();
}

QString alternateVendorNames(const tz::Id& alternates)
{
    if (const auto* list = tz::as<tz::Array>(alternates)) {
        QString names;
        for (const tz::Id& name : list->objects()) {
            if (!names.isEmpty() || &name != &list->objects().first())
                names += dividerString;
            names += textForValue(name);
        }
        return tz::stringByTrimmingWhiteSpaces(names);
    }
    return tz::stringByTrimmingWhiteSpaces(textForValue(alternates));
}

} // namespace

QString manufacturerForPersonality(const QString& actualVendor, const tz::Id& personality)
{
    const DiscRecording::ProfileKeys& keys = DiscRecording::profileKeys();
    const QString vendor = tz::stringByTrimmingWhiteSpaces(textForValue(valueForKey(personality, keys.vendorName)));
    const QString alternates = alternateVendorNames(valueForKey(personality, keys.alternateVendorNames));

    QString text = tz::stringByTrimmingWhiteSpaces(actualVendor);
    for (const QString& part : {vendor, alternates}) {
        if (part.isEmpty())
            continue;
        if (!text.isEmpty())
            text += dividerString;
        text += part;
    }
    return text.isEmpty() ? QStringLiteral("[UNKNOWN MANUFACTURER]") : text;
}

QList<tz::Id> supportedRowsFromProfile(const tz::Id& profileRoot)
{
    QList<tz::Id> rows;
    const DiscRecording::ProfileKeys& keys = DiscRecording::profileKeys();
    const tz::Id model = tz::str(modelKey);
    const tz::Id manufacturer = tz::str(manufacturerKey);
    const tz::Id info = tz::str(infoKey);
    // Personalities of one entry share its profile and vendor: looked up once per entry.
    const tz::Dictionary* lastEntry = nullptr;
    tz::Id profile;
    QString base;
    QList<tz::Dictionary::Entry> entries;
    entries.reserve(3);
    DiscRecording::forEachPersonality(profileRoot, [&](const tz::Dictionary& entry, const tz::Id& personality) {
        if (&entry != lastEntry) {
            lastEntry = &entry;
            profile = entry.objectForKey(keys.profile);
            // Trimmed once for all its personalities; trimming again leaves it as it is.
            base = tz::stringByTrimmingWhiteSpaces(textForValue(valueForKey(profile, keys.actualVendorName)));
        }
        // One list for all rows: the dictionary copies it.
        entries.clear();
        entries.append({model, valueForKey(personality, keys.productName)});
        entries.append({manufacturer, tz::str(manufacturerForPersonality(base, personality))});
        entries.append({info, profile});
        rows.append(rowWithEntries(entries));
    });
    return rows;
}

tz::DictionaryPtr connectedRowForDevice(const DRDevicePtr& device)
{
    if (!device)
        return {};
    const tz::DictionaryPtr info = device->info();
    const tz::Id interconnect = strippedValue(info, DRDevicePhysicalInterconnectKey);
    const tz::Id location = strippedValue(info, DRDevicePhysicalInterconnectLocationKey);

    tz::DictionaryPtr row = tz::Dictionary::make();
    row = tz::dictionaryBySettingObjectForKey(
        row, tz::str(device->displayName() + tz::format(", %@ via %@", location, interconnect)), tz::str(modelKey));
    row = tz::dictionaryBySettingObjectForKey(row, info ? info->objectForKey(DRDeviceVendorNameKey) : tz::Id(),
                                              tz::str(manufacturerKey));
    row = tz::dictionaryBySettingObjectForKey(row, strippedValue(info, DRDeviceSupportLevelKey), tz::str(supportedKey));
    row = tz::dictionaryBySettingObjectForKey(row, info, tz::str(infoKey));
    row = tz::dictionaryBySettingObjectForKey(row, device->status(), tz::str(statusKey));
    row = tz::dictionaryBySettingObjectForKey(row, device, tz::str(deviceKey));
    return row;
}

QList<tz::Id> connectedRows()
{
    QList<tz::Id> rows;
    if (const auto devices = DRDevice::devices()) {
        rows.reserve(devices->count());
        for (const tz::Id& device : devices->objects()) {
            if (tz::DictionaryPtr row = connectedRowForDevice(tz::cast<DRDevice>(device)))
                rows.append(std::move(row));
        }
    }
    return rows;
}

} // namespace DeviceRows
