#include "app/DeviceRows.h"

#include "Foundation/LogLine.h"
#include "Foundation/String.h"
#include "Foundation_Additions/NSCollection/TzNSDictionaryAdditions.h"
#include "Foundation_Additions/NSString/TzNSStringDeleteCommonPrefix.h"
#include "Foundation_Additions/NSString/TzNSStringMiscTrimming.h"
#include "app/DeviceSupportProfile.h"
#include "app/DiscRecording/DRConstants.h"

#include <QStringList>

namespace DeviceRows {

namespace {

tz::Id valueForKey(const tz::Id& dict, const QString& key)
{
    const auto* d = tz::as<tz::Dictionary>(dict);
    return d ? d->objectForKey(key) : tz::Id();
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
        QStringList names;
        names.reserve(list->count());
        for (const tz::Id& name : list->objects())
            names.append(textForValue(name));
        return tz::stringByTrimmingWhiteSpaces(names.join(dividerString));
    }
    return tz::stringByTrimmingWhiteSpaces(textForValue(alternates));
}

} // namespace

QString manufacturerForPersonality(const QString& actualVendor, const tz::Id& personality)
{
    const QString vendor = tz::stringByTrimmingWhiteSpaces(textForValue(valueForKey(personality, TzDRDeviceVendorNameKey)));
    const QString alternates = alternateVendorNames(valueForKey(personality, DRDeviceAlternateVendorNamesKey));

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
    const auto* entries = tz::as<tz::Array>(profileRoot);
    if (!entries)
        return rows;

    const tz::Id model = tz::str(modelKey);
    const tz::Id manufacturer = tz::str(manufacturerKey);
    const tz::Id info = tz::str(infoKey);
    const auto empty = tz::Dictionary::make();
    for (const tz::Id& entry : entries->objects()) {
        const tz::Id personalities = valueForKey(entry, DRPersonalitiesKey);
        QList<tz::Id> list;
        if (tz::as<tz::Dictionary>(personalities))
            list.append(personalities);
        else if (const auto* array = tz::as<tz::Array>(personalities))
            list = array->objects();
        if (list.isEmpty())
            continue;

        const tz::Id profile = valueForKey(entry, DRDeviceProfileKey);
        const QString base = textForValue(valueForKey(profile, DRDeviceActualVendorNameKey));
        for (const tz::Id& personality : std::as_const(list)) {
            tz::DictionaryPtr row = tz::dictionaryBySettingObjectForKey(
                empty, valueForKey(personality, TzDRDeviceProductNameKey), model);
            row = tz::dictionaryBySettingObjectForKey(row, tz::str(manufacturerForPersonality(base, personality)),
                                                      manufacturer);
            row = tz::dictionaryBySettingObjectForKey(row, profile, info);
            rows.append(row);
        }
    }
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
    row = tz::dictionaryBySettingObjectForKey(row, strippedValue(info, DRDeviceSupportLevelKey),
                                              tz::str(supportedKey));
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
