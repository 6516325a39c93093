#include "app/DiscRecording/DRDevice.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveService.h"

#include "Foundation/Format.h"
#include "Foundation/String.h"

std::shared_ptr<const tz::Array> DRDevice::devices()
{
    return DriveService::instance().devices();
}

tz::DictionaryPtr DRDevice::info() const
{
    return DriveService::instance().infoFor(_identifier);
}

tz::DictionaryPtr DRDevice::status() const
{
    const tz::DictionaryPtr status = DriveService::instance().backend().status(_identifier);
    return status ? status : tz::Dictionary::make();
}

QString DRDevice::displayName() const
{
    const tz::DictionaryPtr info = DriveService::instance().backend().info(_identifier);
    if (!info)
        return _identifier;
    const QString vendor = tz::textOf(info->objectForKey(DRDeviceVendorNameKey));
    const QString product = tz::textOf(info->objectForKey(DRDeviceProductNameKey));
    const QString name = QStringList{vendor, product}.join(u' ').simplified();
    return name.isEmpty() ? _identifier : name;
}

bool DRDevice::trayIsOpen() const
{
    return DriveService::instance().backend().trayIsOpen(_identifier);
}

bool DRDevice::closeTray() const
{
    return DriveService::instance().backend().closeTray(_identifier);
}

bool DRDevice::ejectMedia() const
{
    return DriveService::instance().backend().ejectMedia(_identifier);
}

QString DRDevice::description() const
{
    return tz::format("<DRDevice: %@ (%@)>", displayName(), _identifier);
}
