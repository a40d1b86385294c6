#include "quorrel/expertbase/BagContent.h"

#include "explorer/PropertyTags.h"

namespace nORVMISysAPICommon100 {
namespace {

enum class Kind { I32, U32, Bool, String };

struct FixedProperty {
    uint32_t tag;
    Kind kind;
    int64_t number;
    const wchar_t* text;
};

// In the order they are written.
constexpr FixedProperty kPlaceholders[] = {
    {kSvSysTagCalibrationState, Kind::I32, -1, nullptr},
    {kSvSysTagDeviceState, Kind::U32, 0, nullptr},
    {kSvSysTagTemperature, Kind::I32, -1, nullptr},
    {kSvSysTagTemperatureLimit, Kind::I32, -1, nullptr},
    {kSvSysTagFirmwareState, Kind::U32, 0, nullptr},
    {kSvSysTagSelfTestResult, Kind::I32, -1, nullptr},
    {kSvSysTagHardwareRevision, Kind::String, 0, L""},
    {kSvSysTagFirmwareVersion, Kind::String, 0, L""},
    {kSvSysTagDriverState, Kind::I32, -1, nullptr},
    {kSvSysTagDriverPath, Kind::String, 0, L""},
    {kSvSysTagDriverFlags, Kind::U32, 0, nullptr},
};

constexpr FixedProperty kConstants[] = {
    {kSvSysTagVendorName, Kind::String, 0, L"Orvane"},
    {kSvSysTagIsDevice, Kind::Bool, 1, nullptr},
    {kSvSysTagCapabilities, Kind::U32, 0x000F0000, nullptr},
    {kSvSysTagDisplayOrder, Kind::I32, 10, nullptr},
    {kSvSysTagExpertRank, Kind::I32, 1, nullptr},
    {kSvSysTagExpertCount, Kind::I32, 1, nullptr},
    {kSvSysTagIsRemovable, Kind::Bool, 1, nullptr},
};

template <size_t N>
void write(const sysapicpp::PropertyBagHandle& bag, const FixedProperty (&table)[N]) {
    for (const FixedProperty& property : table) {
        switch (property.kind) {
            case Kind::I32: bag.setI32(property.tag, static_cast<int32_t>(property.number)); break;
            case Kind::U32: bag.setU32(property.tag, static_cast<uint32_t>(property.number)); break;
            case Kind::Bool: bag.setBool(property.tag, property.number != 0); break;
            case Kind::String: bag.setString(property.tag, property.text); break;
        }
    }
}

}  // namespace

void writePlaceholderProperties(const sysapicpp::PropertyBagHandle& bag) { write(bag, kPlaceholders); }
void writeConstantProperties(const sysapicpp::PropertyBagHandle& bag) { write(bag, kConstants); }

}  // namespace nORVMISysAPICommon100
