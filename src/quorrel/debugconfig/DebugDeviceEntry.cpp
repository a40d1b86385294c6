#include "quorrel/debugconfig/DebugDeviceEntry.h"

#include <cjson/cJSON.h>

#include <utility>

#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/DebugSettingsRules.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;

DebugDeviceEntry::DebugDeviceEntry(std::string key, std::shared_ptr<cJSON> node)
    : key_(std::move(key)), node_(std::move(node)) {}

std::optional<int32_t> DebugDeviceEntry::getDebugSessionConfiguration() const {
    const cJSON* member = cjson::findMember(node_.get(), names::kDebugSessionConfigurationKey);
    if (member == nullptr || !cJSON_IsNumber(member)) return std::nullopt;
    return cjson::toInt32(member->valuedouble);
}

bool DebugDeviceEntry::getServerIsOutOfProcess() const {
    return cJSON_IsTrue(cjson::findMember(node_.get(), names::kServerIsOutOfProcessKey)) != 0;
}

std::string DebugDeviceEntry::fault() const { return names::entryFault(node_.get()); }

cJSON& DebugDeviceEntry::writableNode() {
    // An entry set aside as unusable is rewritten whole: members cannot be added to a number.
    if (!cJSON_IsObject(node_.get())) cjson::makeEmptyObject(*node_);
    return *node_;
}

void DebugDeviceEntry::setDebugSessionConfiguration(int32_t value) {
    cJSON& node = writableNode();
    cjson::setMember(node, names::kDebugSessionConfigurationKey, cjson::checked(cJSON_CreateNumber(value)));
}

void DebugDeviceEntry::setServerIsOutOfProcess(bool value) {
    cJSON& node = writableNode();
    cjson::setMember(node, names::kServerIsOutOfProcessKey, cjson::checked(cJSON_CreateBool(value)));
}

}  // namespace nORVMISysAPICommon100
