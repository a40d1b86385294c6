#include "Coercion.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

#include "Digiscan.h"

namespace digiscan {

namespace {

const double kBaseSampleRate = 1e9;
const double kVoltageLimit = 10.0;
const ViInt64 kRecordQuantum = 16;
const ViInt64 kMaxRecordLength = ViInt64(1) << 34;

// Clamps v into [low, high], or refuses it when range checking is on.
ViStatus limit(double& v, double low, double high, bool rangeCheck) {
    if (std::isnan(v)) return IVI_ERROR_INVALID_VALUE;
    if (v >= low && v <= high) return VI_SUCCESS;
    if (rangeCheck) return IVI_ERROR_INVALID_VALUE;
    v = v < low ? low : high;
    return VI_SUCCESS;
}

bool sameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && !b[i];
}

}  // namespace

ViStatus coerceVerticalRange(SimIvi_Value& value, bool rangeCheck, std::string&) {
    static const double kRanges[] = {0.05, 0.2, 1.0, 5.0};
    double v = value.real64Value;
    if (!(v > 0)) return IVI_ERROR_INVALID_VALUE;
    const ViStatus status = limit(v, 0, kRanges[3], rangeCheck);
    if (status < 0) return status;
    for (double range : kRanges) {
        if (v <= range * (1 + 1e-12)) {
            value.real64Value = range;
            break;
        }
    }
    return VI_SUCCESS;
}

ViStatus coerceVerticalOffset(SimIvi_Value& value, bool rangeCheck, std::string&) {
    return limit(value.real64Value, -kVoltageLimit, kVoltageLimit, rangeCheck);
}

ViStatus coerceCoupling(SimIvi_Value& value, bool, std::string&) {
    const ViInt32 v = value.int32Value;
    return v == DIGISCAN_VAL_AC || v == DIGISCAN_VAL_DC || v == DIGISCAN_VAL_GND ? VI_SUCCESS : IVI_ERROR_INVALID_VALUE;
}

ViStatus coerceProbeAttenuation(SimIvi_Value& value, bool rangeCheck, std::string&) {
    return limit(value.real64Value, 1.0, 1000.0, rangeCheck);
}

ViStatus coerceBoolean(SimIvi_Value& value, bool, std::string&) {
    value.booleanValue = value.booleanValue ? VI_TRUE : VI_FALSE;
    return VI_SUCCESS;
}

ViStatus coerceInputImpedance(SimIvi_Value& value, bool, std::string&) {
    const double v = value.real64Value;
    if (!(v > 0)) return IVI_ERROR_INVALID_VALUE;
    value.real64Value = v <= 1000.0 ? 50.0 : 1e6;
    return VI_SUCCESS;
}

ViStatus coerceSampleRate(SimIvi_Value& value, bool rangeCheck, std::string&) {
    double v = value.real64Value;
    if (!(v > 0)) return IVI_ERROR_INVALID_VALUE;
    const ViStatus status = limit(v, 0, kBaseSampleRate, rangeCheck);
    if (status < 0) return status;
    // The clock divider: the smallest rate 1e9 / n that is not below the request.
    double divider = std::floor(kBaseSampleRate / v * (1 + 1e-12));
    if (divider < 1) divider = 1;
    value.real64Value = kBaseSampleRate / divider;
    return VI_SUCCESS;
}

ViStatus coerceRecordLength(SimIvi_Value& value, bool rangeCheck, std::string&) {
    ViInt64 v = value.int64Value;
    if (v < 1 || v > kMaxRecordLength) {
        if (rangeCheck) return IVI_ERROR_INVALID_VALUE;
        v = v < 1 ? 1 : kMaxRecordLength;
    }
    value.int64Value = (v + kRecordQuantum - 1) / kRecordQuantum * kRecordQuantum;
    return VI_SUCCESS;
}

ViStatus coerceTriggerSource(SimIvi_Value& value, bool, std::string& text) {
    static const char* const kNamed[] = {"External", "Immediate"};
    text = value.stringValue ? value.stringValue : "";
    for (const char* named : kNamed) {
        if (sameIgnoringCase(text, named)) {
            text = named;
            value.stringValue = text.c_str();
            return VI_SUCCESS;
        }
    }
    // A channel number.
    if (text.empty() || text.size() > 2) return IVI_ERROR_INVALID_VALUE;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return IVI_ERROR_INVALID_VALUE;
    text = std::to_string(std::stoi(text));
    value.stringValue = text.c_str();
    return VI_SUCCESS;
}

ViStatus coerceTriggerLevel(SimIvi_Value& value, bool rangeCheck, std::string&) {
    const ViStatus status = limit(value.real64Value, -kVoltageLimit, kVoltageLimit, rangeCheck);
    if (status < 0) return status;
    value.real64Value = std::round(value.real64Value * 1000.0) / 1000.0;  // 1 mV steps
    return VI_SUCCESS;
}

ViStatus coerceTriggerSlope(SimIvi_Value& value, bool, std::string&) {
    const ViInt32 v = value.int32Value;
    return v == DIGISCAN_VAL_NEGATIVE || v == DIGISCAN_VAL_POSITIVE ? VI_SUCCESS : IVI_ERROR_INVALID_VALUE;
}

ViStatus coerceTimeout(SimIvi_Value& value, bool, std::string&) {
    const ViInt32 v = value.int32Value;
    if (v < -1) return IVI_ERROR_INVALID_VALUE;
    if (v > 0) {
        // 10 ms ticks, rounded up.
        const ViInt64 ticks = (ViInt64(v) + 9) / 10;
        value.int32Value = static_cast<ViInt32>(std::min<ViInt64>(ticks * 10, std::numeric_limits<ViInt32>::max() / 10 * 10));
    }
    return VI_SUCCESS;
}

}  // namespace digiscan
