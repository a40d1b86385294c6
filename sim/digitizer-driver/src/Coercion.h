#pragma once
// How the digitizer coerces requested values. With range checking off, out-of-range numbers are
// clamped instead of refused; values that make no sense (a negative range, an unknown enum) are
// refused either way.
#include <string>

#include "SimIvi.h"

namespace digiscan {

// text receives a coerced string; value->stringValue then points into it.
using Coercer = ViStatus (*)(SimIvi_Value& value, bool rangeCheck, std::string& text);

ViStatus coerceVerticalRange(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceVerticalOffset(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceCoupling(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceProbeAttenuation(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceBoolean(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceInputImpedance(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceSampleRate(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceRecordLength(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceTriggerSource(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceTriggerLevel(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceTriggerSlope(SimIvi_Value& value, bool rangeCheck, std::string& text);
ViStatus coerceTimeout(SimIvi_Value& value, bool rangeCheck, std::string& text);

}  // namespace digiscan
