// Drives described in a property-list file, for demos and tests. The root is a dictionary:
//
//   Drives   array of drive dictionaries, in display order:
//     Identifier         string, unique (required; also the drive's DRDevicePathKey)
//     VendorName, ProductName, FirmwareRevision, SerialNumber      strings
//     Interconnect       "ATAPI", "SATA", "SCSI", "USB" or "FireWire"
//     Location           "Internal", "External" or "Unknown"
//     WriteCapabilities  array of media names: CDR CDRW DVDR DVDRW DVDRAM DVDPlusR DVDPlusRW
//                        DVDPlusRDoubleLayer DVDPlusRWDoubleLayer BDR BDRE; a drive that
//                        writes none of them is not a recorder and is never listed
//     Attached           boolean, default true (false: waits for an Appear event)
//     TrayOpen           boolean, default false
//     Media              dictionary, absent for an empty drive:
//       Type      a media type tail: CDROM CDR CDRW DVDROM DVDR DVDRW DVDRAM DVDPlusR ... BDRE
//       State     "Blank", "Appendable", "Complete" or "Other"
//       Sessions, Tracks   integers, default 0
//       Mounted   boolean, default false (ejecting a mounted medium fails, as a busy drive does)
//       MountPoint  where a mounted medium is mounted, a string, optional
//   Events   optional array, played in order once the backend starts:
//     After    seconds after the previous event (the first: after the start), a number
//     Drive    the identifier it happens to
//     Event    "Appear", "Disappear", "InsertMedia" (with a Media dictionary; closes the
//              tray), "RemoveMedia", "OpenTray" or "CloseTray"
//
// A file that cannot be read, or an empty path, serves no drives. Eject and close act on the tray in memory; every
// change of a drive's status is posted as a status change.
#pragma once

#include "app/DiscRecording/DriveBackend.h"

#include <QTimer>

#include <optional>

class SimulatedDriveBackend final : public DriveBackend
{
    Q_OBJECT
public:
    explicit SimulatedDriveBackend(const QString& path, QObject* parent = nullptr);

    // What keeps the file at path from describing drives, in a few words for a message after
    // its name: "cannot be read", "is not a property list", "is not a drive simulation (its
    // root is not a dictionary)"; empty when it can be loaded.
    [[nodiscard]] static QString problemWith(const QString& path);

    [[nodiscard]] QStringList drives() override;
    [[nodiscard]] tz::DictionaryPtr info(const QString& drive) override;
    [[nodiscard]] tz::DictionaryPtr status(const QString& drive) override;
    [[nodiscard]] bool trayIsOpen(const QString& drive) override;
    bool closeTray(const QString& drive) override;
    bool ejectMedia(const QString& drive) override;

private:
    struct Media
    {
        QString type;
        QString state;
        std::int64_t sessions = 0;
        std::int64_t tracks = 0;
        bool mounted = false;
        QString mountPoint;
    };
    struct Drive
    {
        QString identifier;
        tz::DictionaryPtr info;
        bool attached = true;
        bool trayOpen = false;
        std::optional<Media> media;
    };
    struct Event
    {
        int afterMs = 0;
        QString drive;
        QString kind;
        std::optional<Media> media;
    };

    void load(const QString& path);
    [[nodiscard]] Drive* attachedDrive(const QString& identifier);
    void scheduleNext();
    void play(const Event& event);
    void postStatusChange(const QString& drive);

    QList<Drive> _drives;
    QList<Event> _events;
    qsizetype _nextEvent = 0;
    QTimer _timer;
};
