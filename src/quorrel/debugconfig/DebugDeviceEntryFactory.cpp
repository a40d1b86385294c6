#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"

#include <cjson/cJSON.h>

#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/DebugDeviceEntry.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;

std::shared_ptr<DebugDeviceEntry> DebugDeviceEntryFactory::createEntry(const char* key,
                                                                       std::shared_ptr<cJSON> node) const {
    return std::make_shared<DebugDeviceEntry>(key, std::move(node));
}

cJSON* DebugDeviceEntryFactory::createDefaultNode() const {
    std::unique_ptr<cJSON, void (*)(cJSON*)> node(cjson::checked(cJSON_CreateObject()), &cJSON_Delete);
    cjson::setMember(*node, names::kDebugSessionConfigurationKey, cjson::checked(cJSON_CreateNumber(0)));
    cjson::setMember(*node, names::kServerIsOutOfProcessKey, cjson::checked(cJSON_CreateFalse()));
    return node.release();
}

}  // namespace nORVMISysAPICommon100
