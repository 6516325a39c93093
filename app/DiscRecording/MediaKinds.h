// The recordable media kinds the service knows: udev's cdrom_id names for them, and the
// names a simulated-drives file uses (the constant's distinctive tail, "DVDPlusR").
#pragma once

#include <QList>
#include <QString>

namespace DiscRecording {

struct WriteCapability
{
    QString udevFlag;  // ID_CDROM_<flag>=1 when the drive writes it
    QString key;       // key of the write-capabilities dictionary
    QString shortName; // "CDR", "DVDPlusRW", ...
};

struct MediaProfile
{
    QString udevProfile; // ID_CDROM_MEDIA_<profile>=1 for the medium in the drive
    QString type;        // value under DRDeviceMediaTypeKey
};

// In the order the write-capabilities dictionary lists them.
[[nodiscard]] const QList<WriteCapability>& writeCapabilities();
// Every current profile cdrom_id reports; several profiles may share a type.
[[nodiscard]] const QList<MediaProfile>& mediaProfiles();
// The media type whose distinctive tail is shortName ("DVDR"); a null QString when none is.
[[nodiscard]] QString mediaTypeNamed(const QString& shortName);

} // namespace DiscRecording
