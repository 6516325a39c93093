#include "app/DiscRecording/MediaKinds.h"

#include "app/DiscRecording/DRConstants.h"

namespace DiscRecording {

const QList<WriteCapability>& writeCapabilities()
{
    // Built on first use: the constants live in another translation unit.
    static const QList<WriteCapability> table{
        {QStringLiteral("CD_R"), DRDeviceCanWriteCDRKey, QStringLiteral("CDR")},
        {QStringLiteral("CD_RW"), DRDeviceCanWriteCDRWKey, QStringLiteral("CDRW")},
        {QStringLiteral("DVD_R"), DRDeviceCanWriteDVDRKey, QStringLiteral("DVDR")},
        {QStringLiteral("DVD_RW"), DRDeviceCanWriteDVDRWKey, QStringLiteral("DVDRW")},
        {QStringLiteral("DVD_RAM"), DRDeviceCanWriteDVDRAMKey, QStringLiteral("DVDRAM")},
        {QStringLiteral("DVD_PLUS_R"), DRDeviceCanWriteDVDPlusRKey, QStringLiteral("DVDPlusR")},
        {QStringLiteral("DVD_PLUS_RW"), DRDeviceCanWriteDVDPlusRWKey, QStringLiteral("DVDPlusRW")},
        {QStringLiteral("DVD_PLUS_R_DL"), DRDeviceCanWriteDVDPlusRDoubleLayerKey,
         QStringLiteral("DVDPlusRDoubleLayer")},
        {QStringLiteral("DVD_PLUS_RW_DL"), DRDeviceCanWriteDVDPlusRWDoubleLayerKey,
         QStringLiteral("DVDPlusRWDoubleLayer")},
        {QStringLiteral("BD_R"), DRDeviceCanWriteBDRKey, QStringLiteral("BDR")},
        {QStringLiteral("BD_RE"), DRDeviceCanWriteBDREKey, QStringLiteral("BDRE")},
    };
    return table;
}

const QList<MediaProfile>& mediaProfiles()
{
    static const QList<MediaProfile> table{
        {QStringLiteral("CD"), DRDeviceMediaTypeCDROM},
        {QStringLiteral("CD_R"), DRDeviceMediaTypeCDR},
        {QStringLiteral("CD_RW"), DRDeviceMediaTypeCDRW},
        {QStringLiteral("DVD"), DRDeviceMediaTypeDVDROM},
        {QStringLiteral("DVD_R"), DRDeviceMediaTypeDVDR},
        {QStringLiteral("DVD_R_DL"), DRDeviceMediaTypeDVDRDoubleLayer},
        {QStringLiteral("DVD_R_DL_SEQ"), DRDeviceMediaTypeDVDRDoubleLayer},
        {QStringLiteral("DVD_R_DL_JR"), DRDeviceMediaTypeDVDRDoubleLayer},
        {QStringLiteral("DVD_RW"), DRDeviceMediaTypeDVDRW},
        {QStringLiteral("DVD_RW_RO"), DRDeviceMediaTypeDVDRW},
        {QStringLiteral("DVD_RW_SEQ"), DRDeviceMediaTypeDVDRW},
        {QStringLiteral("DVD_RAM"), DRDeviceMediaTypeDVDRAM},
        {QStringLiteral("DVD_PLUS_R"), DRDeviceMediaTypeDVDPlusR},
        {QStringLiteral("DVD_PLUS_RW"), DRDeviceMediaTypeDVDPlusRW},
        {QStringLiteral("DVD_PLUS_R_DL"), DRDeviceMediaTypeDVDPlusRDoubleLayer},
        {QStringLiteral("DVD_PLUS_RW_DL"), DRDeviceMediaTypeDVDPlusRWDoubleLayer},
        {QStringLiteral("BD"), DRDeviceMediaTypeBDROM},
        {QStringLiteral("BD_R"), DRDeviceMediaTypeBDR},
        {QStringLiteral("BD_R_SRM"), DRDeviceMediaTypeBDR},
        {QStringLiteral("BD_R_RRM"), DRDeviceMediaTypeBDR},
        {QStringLiteral("BD_RE"), DRDeviceMediaTypeBDRE},
    };
    return table;
}

QString mediaTypeNamed(const QString& shortName)
{
    static const QString prefix = QStringLiteral("DRDeviceMediaType");
    const QString type = prefix + shortName;
    for (const MediaProfile& profile : mediaProfiles()) {
        if (profile.type == type)
            return profile.type;
    }
    return type == DRDeviceMediaTypeUnknown ? DRDeviceMediaTypeUnknown : QString();
}

} // namespace DiscRecording
