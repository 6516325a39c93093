#include "app/DiscRecording/SimulatedDriveBackend.h"

#include "app/DiscRecording/DRConstants.h"
#include "app/DiscRecording/DriveDictionaries.h"
#include "app/DiscRecording/DriveLog.h"
#include "app/DiscRecording/MediaKinds.h"

#include "Foundation/Array.h"
#include "Foundation/PropertyList.h"
#include "Foundation/String.h"

#include <QFileInfo>

#include <cmath>

using namespace DiscRecording;

namespace {

QString textAt(const tz::Dictionary& dict, const QString& key)
{
    return tz::textOf(dict.objectForKey(key));
}

bool flagAt(const tz::Dictionary& dict, const QString& key, bool defaultValue)
{
    const tz::Id value = dict.objectForKey(key);
    return value && value->boolValue() ? *value->boolValue() : defaultValue;
}

std::int64_t integerAt(const tz::Dictionary& dict, const QString& key)
{
    const tz::Id value = dict.objectForKey(key);
    return value && value->longLongValue() ? *value->longLongValue() : 0;
}

QList<const tz::Dictionary*> dictionariesAt(const tz::Dictionary& dict, const QString& key)
{
    QList<const tz::Dictionary*> list;
    if (const auto* array = tz::as<tz::Array>(dict.objectForKey(key))) {
        for (const tz::Id& element : array->objects()) {
            if (const auto* d = tz::as<tz::Dictionary>(element))
                list.append(d);
        }
    }
    return list;
}

// The constant whose text is prefix + name when it is one of the choices, else a null QString.
QString oneOf(const QString& prefix, const QString& name, const QList<QString>& choices)
{
    const QString value = prefix + name;
    return !name.isEmpty() && choices.contains(value) ? value : QString();
}

QSet<QString> writtenKinds(const tz::Dictionary& drive)
{
    QSet<QString> writes;
    const auto* names = tz::as<tz::Array>(drive.objectForKey(QStringLiteral("WriteCapabilities")));
    if (!names)
        return writes;
    for (const WriteCapability& capability : writeCapabilities()) {
        for (const tz::Id& name : names->objects()) {
            if (tz::textOf(name) == capability.shortName)
                writes.insert(capability.key);
        }
    }
    return writes;
}

} // namespace

SimulatedDriveBackend::SimulatedDriveBackend(const QString& path, QObject* parent) : DriveBackend(parent)
{
    _timer.setSingleShot(true);
    connect(&_timer, &QTimer::timeout, this, [this] {
        const Event event = _events.at(_nextEvent++);
        play(event);
        scheduleNext();
    });
    load(path);
    scheduleNext();
}

QString SimulatedDriveBackend::problemWith(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return QStringLiteral("cannot be read");
    const tz::Id root = tz::propertyList::readFile(path);
    if (!root)
        return QStringLiteral("is not a property list");
    if (!tz::as<tz::Dictionary>(root))
        return QStringLiteral("is not a drive simulation (its root is not a dictionary)");
    return {};
}

void SimulatedDriveBackend::load(const QString& path)
{
    if (path.isEmpty())
        return;
    const tz::Id root = tz::propertyList::readFile(path);
    const auto* dict = tz::as<tz::Dictionary>(root);
    if (!dict) {
        qCWarning(lcDrives) << "cannot read the simulated drives of" << path;
        return;
    }
    const auto mediaOf = [](const tz::Dictionary* media) -> std::optional<Media> {
        if (!media)
            return std::nullopt;
        const QString type = mediaTypeNamed(textAt(*media, QStringLiteral("Type")));
        const QString state = oneOf(QStringLiteral("DRDeviceMediaState"), textAt(*media, QStringLiteral("State")),
                                    {DRDeviceMediaStateBlank, DRDeviceMediaStateAppendable, DRDeviceMediaStateComplete,
                                     DRDeviceMediaStateOther});
        return Media{type,
                     state,
                     integerAt(*media, QStringLiteral("Sessions")),
                     integerAt(*media, QStringLiteral("Tracks")),
                     flagAt(*media, QStringLiteral("Mounted"), false),
                     textAt(*media, QStringLiteral("MountPoint"))};
    };

    for (const tz::Dictionary* drive : dictionariesAt(*dict, QStringLiteral("Drives"))) {
        const QString identifier = textAt(*drive, QStringLiteral("Identifier"));
        const QSet<QString> writes = writtenKinds(*drive);
        if (identifier.isEmpty() || writes.isEmpty())
            continue;
        const DriveInfo info{
            textAt(*drive, QStringLiteral("VendorName")),
            textAt(*drive, QStringLiteral("ProductName")),
            textAt(*drive, QStringLiteral("FirmwareRevision")),
            textAt(*drive, QStringLiteral("SerialNumber")),
            identifier,
            oneOf(QStringLiteral("DRDevicePhysicalInterconnect"), textAt(*drive, QStringLiteral("Interconnect")),
                  {DRDevicePhysicalInterconnectATAPI, DRDevicePhysicalInterconnectSATA,
                   DRDevicePhysicalInterconnectSCSI, DRDevicePhysicalInterconnectUSB,
                   DRDevicePhysicalInterconnectFireWire}),
            oneOf(QStringLiteral("DRDevicePhysicalInterconnectLocation"), textAt(*drive, QStringLiteral("Location")),
                  {DRDevicePhysicalInterconnectLocationInternal, DRDevicePhysicalInterconnectLocationExternal,
                   DRDevicePhysicalInterconnectLocationUnknown}),
            writes,
        };
        _drives.append({identifier, infoDictionary(info), flagAt(*drive, QStringLiteral("Attached"), true),
                        flagAt(*drive, QStringLiteral("TrayOpen"), false),
                        mediaOf(tz::as<tz::Dictionary>(drive->objectForKey(QStringLiteral("Media"))))});
    }

    for (const tz::Dictionary* event : dictionariesAt(*dict, QStringLiteral("Events"))) {
        const tz::Id after = event->objectForKey(QStringLiteral("After"));
        const double seconds = after && after->doubleValue() ? *after->doubleValue() : 0.0;
        const int ms = std::isfinite(seconds) ? int(std::clamp(seconds, 0.0, 86400.0) * 1000.0) : 0;
        _events.append({ms, textAt(*event, QStringLiteral("Drive")), textAt(*event, QStringLiteral("Event")),
                        mediaOf(tz::as<tz::Dictionary>(event->objectForKey(QStringLiteral("Media"))))});
    }
}

void SimulatedDriveBackend::scheduleNext()
{
    if (_nextEvent < _events.size())
        _timer.start(_events.at(_nextEvent).afterMs);
}

void SimulatedDriveBackend::play(const Event& event)
{
    const auto it =
        std::find_if(_drives.begin(), _drives.end(), [&](const Drive& d) { return d.identifier == event.drive; });
    if (it == _drives.end()) {
        qCWarning(lcDrives) << "simulated event for an unknown drive" << event.drive;
        return;
    }
    Drive& drive = *it;
    if (event.kind == u"Appear") {
        if (!drive.attached) {
            drive.attached = true;
            Q_EMIT driveAppeared(drive.identifier);
        }
        return;
    }
    if (event.kind == u"Disappear") {
        if (drive.attached) {
            drive.attached = false;
            Q_EMIT driveDisappeared(drive.identifier);
        }
        return;
    }
    if (event.kind == u"InsertMedia") {
        drive.media = event.media ? event.media : Media{DRDeviceMediaTypeCDR, DRDeviceMediaStateBlank, 0, 0, false, QString()};
        drive.trayOpen = false;
    } else if (event.kind == u"RemoveMedia") {
        drive.media.reset();
    } else if (event.kind == u"OpenTray") {
        drive.trayOpen = true;
    } else if (event.kind == u"CloseTray") {
        drive.trayOpen = false;
    } else {
        qCWarning(lcDrives) << "unknown simulated event" << event.kind;
        return;
    }
    if (drive.attached)
        Q_EMIT driveStatusChanged(drive.identifier);
}

SimulatedDriveBackend::Drive* SimulatedDriveBackend::attachedDrive(const QString& identifier)
{
    for (Drive& drive : _drives) {
        if (drive.attached && drive.identifier == identifier)
            return &drive;
    }
    return nullptr;
}

QStringList SimulatedDriveBackend::drives()
{
    QStringList list;
    for (const Drive& drive : std::as_const(_drives)) {
        if (drive.attached)
            list.append(drive.identifier);
    }
    return list;
}

tz::DictionaryPtr SimulatedDriveBackend::info(const QString& drive)
{
    const Drive* d = attachedDrive(drive);
    return d ? d->info : nullptr;
}

tz::DictionaryPtr SimulatedDriveBackend::status(const QString& drive)
{
    const Drive* d = attachedDrive(drive);
    if (!d)
        return nullptr;
    DriveState state;
    state.trayOpen = d->trayOpen;
    state.mediaPresent = !d->trayOpen && d->media.has_value();
    if (state.mediaPresent) {
        state.mediaType = d->media->type;
        state.mediaState = d->media->state;
        state.sessions = d->media->sessions;
        state.tracks = d->media->tracks;
        state.mounted = d->media->mounted;
        state.mountPoint = d->media->mountPoint;
    }
    return statusDictionary(state);
}

bool SimulatedDriveBackend::trayIsOpen(const QString& drive)
{
    const Drive* d = attachedDrive(drive);
    return d && d->trayOpen;
}

bool SimulatedDriveBackend::closeTray(const QString& drive)
{
    Drive* d = attachedDrive(drive);
    if (!d)
        return false;
    if (d->trayOpen) {
        d->trayOpen = false;
        postStatusChange(drive);
    }
    return true;
}

bool SimulatedDriveBackend::ejectMedia(const QString& drive)
{
    Drive* d = attachedDrive(drive);
    if (!d || (!d->trayOpen && d->media && d->media->mounted))
        return false;
    if (!d->trayOpen) {
        d->trayOpen = true;
        postStatusChange(drive);
    }
    return true;
}

void SimulatedDriveBackend::postStatusChange(const QString& drive)
{
    // On the next turn, as a real drive would report it: never inside the caller's request.
    QMetaObject::invokeMethod(
        this, [this, drive] { Q_EMIT driveStatusChanged(drive); }, Qt::QueuedConnection);
}
