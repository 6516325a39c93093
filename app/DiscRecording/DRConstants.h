// Key, value and notification names of the disc-recording service. Each text equals its
// constant's name, and enumerated values repeat their key's text up to its last word, so
// that deleting the common prefix with the key leaves the distinctive tail
// ("DRDevicePhysicalInterconnectUSB" under "DRDevicePhysicalInterconnectKey" shows as "USB").
#pragma once

#include <QString>

// Notifications
extern const QString DRDeviceAppearedNotification;
extern const QString DRDeviceDisappearedNotification;
extern const QString DRDeviceStatusChangedNotification;

// Information keys
extern const QString DRDeviceVendorNameKey;
extern const QString DRDeviceProductNameKey;
extern const QString DRDeviceFirmwareRevisionKey;
extern const QString DRDeviceSerialNumberKey;
extern const QString DRDevicePathKey;
extern const QString DRDevicePhysicalInterconnectKey;
extern const QString DRDevicePhysicalInterconnectATAPI;
extern const QString DRDevicePhysicalInterconnectSATA;
extern const QString DRDevicePhysicalInterconnectSCSI;
extern const QString DRDevicePhysicalInterconnectUSB;
extern const QString DRDevicePhysicalInterconnectFireWire;
extern const QString DRDevicePhysicalInterconnectLocationKey;
extern const QString DRDevicePhysicalInterconnectLocationInternal;
extern const QString DRDevicePhysicalInterconnectLocationExternal;
extern const QString DRDevicePhysicalInterconnectLocationUnknown;
extern const QString DRDeviceSupportLevelKey;
extern const QString DRDeviceSupportLevelSupported;
extern const QString DRDeviceSupportLevelUnsupported;
extern const QString DRDeviceWriteCapabilitiesKey;

// Keys of the write-capabilities dictionary (each a boolean)
extern const QString DRDeviceCanWriteCDRKey;
extern const QString DRDeviceCanWriteCDRWKey;
extern const QString DRDeviceCanWriteDVDRKey;
extern const QString DRDeviceCanWriteDVDRWKey;
extern const QString DRDeviceCanWriteDVDRAMKey;
extern const QString DRDeviceCanWriteDVDPlusRKey;
extern const QString DRDeviceCanWriteDVDPlusRWKey;
extern const QString DRDeviceCanWriteDVDPlusRDoubleLayerKey;
extern const QString DRDeviceCanWriteDVDPlusRWDoubleLayerKey;
extern const QString DRDeviceCanWriteBDRKey;
extern const QString DRDeviceCanWriteBDREKey;

// Status keys
extern const QString DRDeviceIsTrayOpenKey;
extern const QString DRDeviceMediaPresentKey;
extern const QString DRDeviceMediaTypeKey;
extern const QString DRDeviceMediaTypeCDROM;
extern const QString DRDeviceMediaTypeCDR;
extern const QString DRDeviceMediaTypeCDRW;
extern const QString DRDeviceMediaTypeDVDROM;
extern const QString DRDeviceMediaTypeDVDR;
extern const QString DRDeviceMediaTypeDVDRDoubleLayer;
extern const QString DRDeviceMediaTypeDVDRW;
extern const QString DRDeviceMediaTypeDVDRAM;
extern const QString DRDeviceMediaTypeDVDPlusR;
extern const QString DRDeviceMediaTypeDVDPlusRW;
extern const QString DRDeviceMediaTypeDVDPlusRDoubleLayer;
extern const QString DRDeviceMediaTypeDVDPlusRWDoubleLayer;
extern const QString DRDeviceMediaTypeBDROM;
extern const QString DRDeviceMediaTypeBDR;
extern const QString DRDeviceMediaTypeBDRE;
extern const QString DRDeviceMediaTypeUnknown;
extern const QString DRDeviceMediaStateKey;
extern const QString DRDeviceMediaStateNone;
extern const QString DRDeviceMediaStateBlank;
extern const QString DRDeviceMediaStateAppendable;
extern const QString DRDeviceMediaStateComplete;
extern const QString DRDeviceMediaStateOther;
extern const QString DRDeviceMediaSessionCountKey;
extern const QString DRDeviceMediaTrackCountKey;
extern const QString DRDeviceMediaIsMountedKey;
extern const QString DRDeviceMountPointKey; // where a mounted medium is mounted
