#pragma once
// The typed values a property bag stores, one class per type code, and the one value type that
// holds any of them in place: a bag keeps its values side by side, not one heap object each.
#include <cstdint>
#include <variant>

#include "explorer/PropertyBag.h"
#include "quorrel/comsupport/CorvBStr.h"

namespace sysapicpp {

template <class T, uint32_t Code>
class CsvTemplatePropertyValue {
public:
    using Type = T;
    static constexpr uint32_t kTypeCode = Code;
    explicit CsvTemplatePropertyValue(T value) : value_(std::move(value)) {}
    uint32_t typeCode() const noexcept { return Code; }
    const T& value() const noexcept { return value_; }
    void set(T value) { value_ = std::move(value); }

private:
    T value_;
};

using CsvBoolValue = CsvTemplatePropertyValue<bool, kSvSysPropertyTypeBool>;
using CsvI32Value = CsvTemplatePropertyValue<int32_t, kSvSysPropertyTypeI32>;
using CsvU32Value = CsvTemplatePropertyValue<uint32_t, kSvSysPropertyTypeU32>;
using CsvDoubleValue = CsvTemplatePropertyValue<double, kSvSysPropertyTypeDouble>;
using CsvGuidValue = CsvTemplatePropertyValue<GUID, kSvSysPropertyTypeGuid>;
using CsvStringValue = CsvTemplatePropertyValue<CorvBStr, kSvSysPropertyTypeString>;
using CsvTimestampValue = CsvTemplatePropertyValue<svSysAttrTimestampUTC, kSvSysPropertyTypeTimestamp>;

using CsvPropertyValue = std::variant<CsvBoolValue, CsvI32Value, CsvU32Value, CsvDoubleValue, CsvGuidValue,
                                      CsvStringValue, CsvTimestampValue>;

inline uint32_t typeCodeOf(const CsvPropertyValue& value) noexcept {
    return std::visit([](const auto& held) { return held.typeCode(); }, value);
}

}  // namespace sysapicpp
