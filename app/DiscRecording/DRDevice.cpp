#include "app/DiscRecording/DRDevice.h"

#include "app/DiscRecording/DriveService.h"

#include "Foundation/Format.h"

std::shared_ptr<const tz::Array> DRDevice::devices()
{
    const DriveService* service = DriveService::installed();
    return service ? service->devices() : tz::Array::make();
}

tz::DictionaryPtr DRDevice::info() const
{
    const DriveService* service = DriveService::installed();
    return service ? service->infoFor(_identifier) : tz::Dictionary::make();
}

tz::DictionaryPtr DRDevice::status() const
{
    const DriveService* service = DriveService::installed();
    return service ? service->statusFor(_identifier) : tz::Dictionary::make();
}

QString DRDevice::displayName() const
{
    const DriveService* service = DriveService::installed();
    return service ? service->displayNameFor(_identifier) : _identifier;
}

bool DRDevice::trayIsOpen() const
{
    const DriveService* service = DriveService::installed();
    return service && service->trayIsOpenFor(_identifier);
}

void DRDevice::closeTray(const QObject* context, Answer answer) const
{
    if (DriveService* service = DriveService::installed())
        service->request(_identifier, DriveAction::CloseTray, context, std::move(answer));
    else if (answer)
        answer(false);
}

void DRDevice::ejectMedia(const QObject* context, Answer answer) const
{
    if (DriveService* service = DriveService::installed())
        service->request(_identifier, DriveAction::EjectMedia, context, std::move(answer));
    else if (answer)
        answer(false);
}

bool DRDevice::closeTray() const
{
    DriveService* service = DriveService::installed();
    return service && service->requestAndWait(_identifier, DriveAction::CloseTray);
}

bool DRDevice::ejectMedia() const
{
    DriveService* service = DriveService::installed();
    return service && service->requestAndWait(_identifier, DriveAction::EjectMedia);
}

QString DRDevice::description() const
{
    return tz::format("<DRDevice: %@ (%@)>", displayName(), _identifier);
}
