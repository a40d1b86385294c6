#include "quorrel/debugconfig/DebugDeviceEntry.h"

#include <cjson/cJSON.h>

#include <utility>

#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

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

cJSON& DebugDeviceEntry::writableNode() {
    // Members added to a number or a string would leave a document that does not print as JSON.
    if (!cJSON_IsObject(node_.get())) {
        ORVERR_THROW(orverr::codes::kJsonWrongType).usage(names::kUsageTypeToken, key_).raise();
    }
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
