#pragma once
// The typed values a property bag stores. A value is held in place in a plain union, so a bag keeps
// its values side by side and moves them as bytes; one descriptor class per type code names the
// union member of its type.
#include <cstdint>

#include "explorer/PropertyBag.h"

namespace sysapicpp {

union CsvPropertyPayload {
    bool flag;
    int32_t i32;
    uint32_t u32;
    double real;
    GUID guid;
    svSysAttrTimestampUTC stamp;
    BSTR text;  // owned by the table that holds the value
};

template <class T, uint32_t Code, T CsvPropertyPayload::*Member>
struct CsvTemplatePropertyValue {
    using Type = T;
    static constexpr uint32_t kTypeCode = Code;
    static const T& of(const CsvPropertyPayload& payload) noexcept { return payload.*Member; }
    static void store(CsvPropertyPayload& payload, const T& value) noexcept { payload.*Member = value; }
};

using CsvBoolValue = CsvTemplatePropertyValue<bool, kSvSysPropertyTypeBool, &CsvPropertyPayload::flag>;
using CsvI32Value = CsvTemplatePropertyValue<int32_t, kSvSysPropertyTypeI32, &CsvPropertyPayload::i32>;
using CsvU32Value = CsvTemplatePropertyValue<uint32_t, kSvSysPropertyTypeU32, &CsvPropertyPayload::u32>;
using CsvDoubleValue = CsvTemplatePropertyValue<double, kSvSysPropertyTypeDouble, &CsvPropertyPayload::real>;
using CsvGuidValue = CsvTemplatePropertyValue<GUID, kSvSysPropertyTypeGuid, &CsvPropertyPayload::guid>;
using CsvStringValue = CsvTemplatePropertyValue<BSTR, kSvSysPropertyTypeString, &CsvPropertyPayload::text>;
using CsvTimestampValue =
    CsvTemplatePropertyValue<svSysAttrTimestampUTC, kSvSysPropertyTypeTimestamp, &CsvPropertyPayload::stamp>;

}  // namespace sysapicpp
