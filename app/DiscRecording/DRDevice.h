// One optical recorder attached to the machine, as the installed drive service knows it
// (DriveService.h). A device keeps its identity while it is attached: devices() hands out the
// same object for the same drive, so rows can hold it. Info, status and the tray state are the
// service's cached values and never wait on the drive. Once the drive is gone its info and
// status are empty dictionaries, its tray reads closed and closing or ejecting fails. Main
// thread only.
#pragma once

#include "Foundation/Array.h"
#include "Foundation/Dictionary.h"

#include <functional>

class QObject;

class DRDevice final : public tz::Object
{
public:
    // The recorders attached now, in the service's order (the connected table's row order).
    [[nodiscard]] static std::shared_ptr<const tz::Array> devices();

    // What the drive is: vendor, product, interconnect and location, support level, capabilities.
    [[nodiscard]] tz::DictionaryPtr info() const;
    // What the drive is doing: tray, media, sessions and tracks, as last read (on arrival,
    // on each change the drive reports, after each close or eject).
    [[nodiscard]] tz::DictionaryPtr status() const;
    // "Vendor Product" for people; the identifier when the drive names neither.
    [[nodiscard]] QString displayName() const;
    [[nodiscard]] bool trayIsOpen() const;

    using Answer = std::function<void(bool ok)>;
    // Closes the tray, or ejects the medium (opening the tray), on the drive thread; the answer
    // (false when it failed: busy, gone, no permission) comes on a later turn of the event loop,
    // with the status already refreshed, unless the context object is gone by then.
    void closeTray(const QObject* context, Answer answer) const;
    void ejectMedia(const QObject* context, Answer answer) const;
    // The same, turning a local event loop until the answer: for the command line and tests,
    // never for the window.
    bool closeTray() const;
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
