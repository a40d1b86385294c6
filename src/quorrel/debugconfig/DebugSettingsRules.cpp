#include "quorrel/debugconfig/DebugSettingsRules.h"

#include <cjson/cJSON.h>

#include <cmath>
#include <cstdio>

#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace nORVMISysAPICommon100::debugconfig {

namespace {

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string configurationFault(const cJSON* member) {
    const std::string name = std::string(kDebugSessionConfigurationKey);
    if (member == nullptr) return name + " is missing";
    if (!cJSON_IsNumber(member)) return name + " is not a number";
    const double value = member->valuedouble;
    if (std::isnan(value) || std::trunc(value) < INT32_MIN || std::trunc(value) > INT32_MAX) {
        return name + " " + number(value) + " does not fit a signed 32-bit number";
    }
    if (!isAcceptedDebugSessionConfiguration(static_cast<int64_t>(std::trunc(value)))) {
        return name + " " + number(value) + " is outside the accepted values " +
               std::to_string(kMinDebugSessionConfiguration) + " to " + std::to_string(kMaxDebugSessionConfiguration);
    }
    return std::string();
}

std::string outOfProcessFault(const cJSON* member) {
    const std::string name = std::string(kServerIsOutOfProcessKey);
    if (member == nullptr) return name + " is missing";
    if (!cJSON_IsBool(member)) return name + " is neither true nor false";
    return std::string();
}

}  // namespace

bool isAcceptedDebugSessionConfiguration(int64_t value) {
    return value >= kMinDebugSessionConfiguration && value <= kMaxDebugSessionConfiguration;
}

std::string entryFault(const cJSON* entry) {
    if (entry == nullptr || !cJSON_IsObject(entry)) return "the entry is not an object";
    std::string fault = configurationFault(cjson::findMember(entry, kDebugSessionConfigurationKey));
    if (fault.empty()) fault = outOfProcessFault(cjson::findMember(entry, kServerIsOutOfProcessKey));
    return fault;
}

}  // namespace nORVMISysAPICommon100::debugconfig
