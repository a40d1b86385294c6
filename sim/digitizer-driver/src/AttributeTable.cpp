#include "AttributeTable.h"

#include "Digiscan.h"

namespace digiscan {

namespace {

SimIvi_Value int32(ViInt32 v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_INT32;
    value.int32Value = v;
    return value;
}
SimIvi_Value int64(ViInt64 v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_INT64;
    value.int64Value = v;
    return value;
}
SimIvi_Value real64(ViReal64 v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_REAL64;
    value.real64Value = v;
    return value;
}
SimIvi_Value boolean(ViBoolean v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_BOOLEAN;
    value.booleanValue = v;
    return value;
}
SimIvi_Value string(ViConstString v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_STRING;
    value.stringValue = v;
    return value;
}
SimIvi_Value session(ViSession v) {
    SimIvi_Value value{};
    value.type = IVI_VAL_SESSION;
    value.sessionValue = v;
    return value;
}
SimIvi_Value address() {
    SimIvi_Value value{};
    value.type = IVI_VAL_ADDR;
    return value;
}

const AttributeDefinition kTable[] = {
    {DIGISCAN_ATTR_LANGUAGE, "DIGISCAN_ATTR_LANGUAGE", false, 0, int32(0), nullptr},
    {DIGISCAN_ATTR_MODEL_NUMBER, "DIGISCAN_ATTR_MODEL_NUMBER", false, IVI_VAL_NOT_USER_WRITABLE,
     int32(DIGISCAN_DEFAULT_MODEL), nullptr},
    {DIGISCAN_ATTR_VERTICAL_RANGE, "DIGISCAN_ATTR_VERTICAL_RANGE", true, 0, real64(1.0), coerceVerticalRange},
    {DIGISCAN_ATTR_VERTICAL_OFFSET, "DIGISCAN_ATTR_VERTICAL_OFFSET", true, 0, real64(0.0), coerceVerticalOffset},
    {DIGISCAN_ATTR_VERTICAL_COUPLING, "DIGISCAN_ATTR_VERTICAL_COUPLING", true, 0, int32(DIGISCAN_VAL_DC), coerceCoupling},
    {DIGISCAN_ATTR_PROBE_ATTENUATION, "DIGISCAN_ATTR_PROBE_ATTENUATION", true, 0, real64(1.0), coerceProbeAttenuation},
    {DIGISCAN_ATTR_CHANNEL_ENABLED, "DIGISCAN_ATTR_CHANNEL_ENABLED", true, 0, boolean(VI_TRUE), coerceBoolean},
    {DIGISCAN_ATTR_INPUT_IMPEDANCE, "DIGISCAN_ATTR_INPUT_IMPEDANCE", true, 0, real64(1e6), coerceInputImpedance},
    {DIGISCAN_ATTR_SAMPLE_RATE, "DIGISCAN_ATTR_SAMPLE_RATE", false, 0, real64(2.5e8), coerceSampleRate},
    {DIGISCAN_ATTR_RECORD_LENGTH, "DIGISCAN_ATTR_RECORD_LENGTH", false, 0, int64(1024), coerceRecordLength},
    {DIGISCAN_ATTR_TRIGGER_SOURCE, "DIGISCAN_ATTR_TRIGGER_SOURCE", false, 0, string("Immediate"), coerceTriggerSource},
    {DIGISCAN_ATTR_TRIGGER_LEVEL, "DIGISCAN_ATTR_TRIGGER_LEVEL", false, 0, real64(0.0), coerceTriggerLevel},
    {DIGISCAN_ATTR_TRIGGER_SLOPE, "DIGISCAN_ATTR_TRIGGER_SLOPE", false, 0, int32(DIGISCAN_VAL_POSITIVE), coerceTriggerSlope},
    {DIGISCAN_ATTR_ACQUISITION_TIMEOUT, "DIGISCAN_ATTR_ACQUISITION_TIMEOUT", false, 0, int32(5000), coerceTimeout},
    {DIGISCAN_ATTR_MASTER_SESSION, "DIGISCAN_ATTR_MASTER_SESSION", false, 0, session(VI_NULL), nullptr},
    {DIGISCAN_ATTR_USER_DATA, "DIGISCAN_ATTR_USER_DATA", false, 0, address(), nullptr},
    {DIGISCAN_ATTR_DEVICE_TEMPERATURE, "DIGISCAN_ATTR_DEVICE_TEMPERATURE", false, IVI_VAL_NOT_WRITABLE, real64(25.0),
     nullptr},
    {DIGISCAN_ATTR_CALIBRATION_HANDLE, "DIGISCAN_ATTR_CALIBRATION_HANDLE", false, IVI_VAL_HIDDEN, int32(0), nullptr},
};

}  // namespace

const AttributeDefinition* attributeTable(size_t& count) {
    count = sizeof(kTable) / sizeof(kTable[0]);
    return kTable;
}

}  // namespace digiscan
