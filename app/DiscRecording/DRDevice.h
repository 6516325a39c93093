// One optical recorder attached to the machine. A device keeps its identity while it is
// attached: devices() hands out the same object for the same drive, so rows can hold it.
// Once the drive is gone its info and status are empty dictionaries, its tray reads closed
// and closing or ejecting fails. Use it on the thread that first used the service.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"

class DRDevice final : public tz::Object
{
public:
    // The recorders attached now, in the service's order (the connected table's row order).
    [[nodiscard]] static std::shared_ptr<const tz::Array> devices();

    // What the drive is: vendor, product, interconnect and location, support level, capabilities.
    [[nodiscard]] tz::DictionaryPtr info() const;
    // What the drive is doing now: tray, media, sessions and tracks; read anew on every call.
    [[nodiscard]] tz::DictionaryPtr status() const;
    // "Vendor Product" for people; the identifier when the drive names neither.
    [[nodiscard]] QString displayName() const;
    [[nodiscard]] bool trayIsOpen() const;
    // Closes the tray; false when that failed.
    bool closeTray() const;
    // Ejects the medium or opens the tray; false on failure (busy, gone, no permission).
    [[nodiscard]] bool ejectMedia() const;

    // The backend's stable name for the drive (its device node, or the simulated drive's name).
    [[nodiscard]] const QString& identifier() const { return _identifier; }

    [[nodiscard]] QString className() const override { return QStringLiteral("DRDevice"); }
    // "<DRDevice: Vendor Product (identifier)>".
    [[nodiscard]] QString description() const override;

    explicit DRDevice(QString identifier) : _identifier(std::move(identifier)) {}

private:
    QString _identifier;
};

using DRDevicePtr = std::shared_ptr<const DRDevice>;
