#pragma once
// What the plug-in accepts as a device's debug settings, from the explorer and from the file; one
// place for the expert, the store and the tools.
#include <cstdint>
#include <string>

struct cJSON;

namespace nORVMISysAPICommon100::debugconfig {

// The debug session configurations a host may choose.
inline constexpr int64_t kMinDebugSessionConfiguration = 0;
inline constexpr int64_t kMaxDebugSessionConfiguration = 1;

bool isAcceptedDebugSessionConfiguration(int64_t value);

// Why a device's entry in the file cannot be used, in words ("debugSessionConfiguration 5 is
// outside the accepted values 0 to 1"); empty when it can. An entry is used whole or not at all:
// it must be an object whose two settings are present and valid.
std::string entryFault(const cJSON* entry);

}  // namespace nORVMISysAPICommon100::debugconfig
