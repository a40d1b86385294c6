#pragma once
// The typed values a property bag stores, one class per type code.
#include <cstdint>
#include <memory>

#include "explorer/PropertyBag.h"
#include "quorrel/comsupport/CorvBStr.h"

namespace sysapicpp {

class CsvPropertyValue {
public:
    virtual ~CsvPropertyValue() = default;
    virtual uint32_t typeCode() const noexcept = 0;
    virtual std::unique_ptr<CsvPropertyValue> clone() const = 0;
};

template <class T, uint32_t Code>
class CsvTemplatePropertyValue : public CsvPropertyValue {
public:
    static constexpr uint32_t kTypeCode = Code;
    explicit CsvTemplatePropertyValue(const T& value) : value_(value) {}
    uint32_t typeCode() const noexcept override { return Code; }
    std::unique_ptr<CsvPropertyValue> clone() const override {
        return std::make_unique<CsvTemplatePropertyValue>(value_);
    }
    const T& value() const noexcept { return value_; }
    void set(const T& value) { value_ = value; }

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

}  // namespace sysapicpp
