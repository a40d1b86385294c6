#pragma once
// The driver-session settings a session object captures once, at initialization.
#include <cstdint>
#include <string>

#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp_auxTemplate {

inline constexpr ViAttr kAttrLanguage = 1199999;      // ViInt32, language of error descriptions
inline constexpr ViAttr kAttrModelNumber = 1100105;   // ViInt32
// The engine's inherent settings that go into the option string.
inline constexpr ViAttr kAttrSimulate = IVI_ATTR_SIMULATE;        // ViBoolean
inline constexpr ViAttr kAttrRangeCheck = IVI_ATTR_RANGE_CHECK;   // ViBoolean
inline constexpr ViAttr kAttrCache = IVI_ATTR_CACHE;              // ViBoolean
inline constexpr ViAttr kAttrDriverSetup = IVI_ATTR_DRIVER_SETUP; // ViString
inline constexpr ViInt32 kDriverSetupBufferSize = 256;

// 0 English ... 5 Simplified Chinese; any other value read gives 0. Engine errors are raised.
int32_t readLanguage(miivi::IviWrapperInterface& wrapper);
// "Simulate=<b>,RangeCheck=<b>,Cache=<b>,DriverSetup=<text>". Engine errors are raised.
std::string readOptionString(miivi::IviWrapperInterface& wrapper);
int32_t readModelNumber(miivi::IviWrapperInterface& wrapper);

}  // namespace impexp_auxTemplate
