#pragma once
// Property tags of the explorer's device bags. Tags 0x1000xxxx belong to the expert that shows
// the device.
#include "explorer/Com.h"

enum svSysPropertyTag : ULONG {
    kSvSysTagIsDevice = 0x01001000,
    kSvSysTagBusType = 0x01002000,
    kSvSysTagDeviceState = 0x01003000,
    kSvSysTagVendorName = 0x01004000,
    kSvSysTagFirmwareState = 0x01005000,
    kSvSysTagUserAlias = 0x01006000,
    kSvSysTagFirmwareVersion = 0x01007000,
    kSvSysTagIsRemovable = 0x01008000,
    kSvSysTagIsSimulated = 0x01009000,
    kSvSysTagHardwareRevision = 0x0100A000,
    kSvSysTagSelfTestResult = 0x0100B000,
    kSvSysTagChassisNumber = 0x01018000,
    kSvSysTagSlotNumber = 0x01019000,
    kSvSysTagSocketNumber = 0x0101A000,
    kSvSysTagSerialNumber = 0x0101B000,
    kSvSysTagExpertCount = 0x0101C000,
    kSvSysTagDeviceID = 0x0101D000,
    kSvSysTagProductName = 0x0101F000,
    kSvSysTagStorageObjectID = 0x01022000,
    kSvSysTagExpertRank = 0x01023000,
    kSvSysTagDisplayOrder = 0x0102A000,
    kSvSysTagTemperature = 0x01030000,
    kSvSysTagTemperatureLimit = 0x01031000,
    kSvSysTagCapabilities = 0x01037000,
    kSvSysTagCalibrationState = 0x01048000,
    kSvSysTagDriverPath = 0x01075000,
    kSvSysTagDriverState = 0x01079000,
    kSvSysTagDriverFlags = 0x0107A000,
    kSvSysTagExpertDebugEnabled = 0x10001000,
    kSvSysTagDebugSessionConfiguration = 0x10002000,
    kSvSysTagServerIsOutOfProcess = 0x10003000
};

struct svSysPropertyTagName {
    ULONG tag;
    const char* name;
};

// The names the explorer shows, in ascending tag order.
inline constexpr svSysPropertyTagName kSvSysPropertyTagNames[] = {
    {kSvSysTagIsDevice, "IsDevice"},
    {kSvSysTagBusType, "BusType"},
    {kSvSysTagDeviceState, "DeviceState"},
    {kSvSysTagVendorName, "VendorName"},
    {kSvSysTagFirmwareState, "FirmwareState"},
    {kSvSysTagUserAlias, "UserAlias"},
    {kSvSysTagFirmwareVersion, "FirmwareVersion"},
    {kSvSysTagIsRemovable, "IsRemovable"},
    {kSvSysTagIsSimulated, "IsSimulated"},
    {kSvSysTagHardwareRevision, "HardwareRevision"},
    {kSvSysTagSelfTestResult, "SelfTestResult"},
    {kSvSysTagChassisNumber, "ChassisNumber"},
    {kSvSysTagSlotNumber, "SlotNumber"},
    {kSvSysTagSocketNumber, "SocketNumber"},
    {kSvSysTagSerialNumber, "SerialNumber"},
    {kSvSysTagExpertCount, "ExpertCount"},
    {kSvSysTagDeviceID, "DeviceID"},
    {kSvSysTagProductName, "ProductName"},
    {kSvSysTagStorageObjectID, "StorageObjectID"},
    {kSvSysTagExpertRank, "ExpertRank"},
    {kSvSysTagDisplayOrder, "DisplayOrder"},
    {kSvSysTagTemperature, "Temperature"},
    {kSvSysTagTemperatureLimit, "TemperatureLimit"},
    {kSvSysTagCapabilities, "Capabilities"},
    {kSvSysTagCalibrationState, "CalibrationState"},
    {kSvSysTagDriverPath, "DriverPath"},
    {kSvSysTagDriverState, "DriverState"},
    {kSvSysTagDriverFlags, "DriverFlags"},
    {kSvSysTagExpertDebugEnabled, "DebugEnabled"},
    {kSvSysTagDebugSessionConfiguration, "debugSessionConfiguration"},
    {kSvSysTagServerIsOutOfProcess, "ServerIsOutOfProcess"},
};
