#pragma once
// Makes device entries, and the default node of a new device.
#include "quorrel/debugconfig/DebugDeviceEntryFactoryInterface.h"

namespace nORVMISysAPICommon100 {

class DebugDeviceEntryFactory final : public DebugDeviceEntryFactoryInterface {
public:
    std::shared_ptr<DebugDeviceEntryInterface> createEntry(const char* key, std::shared_ptr<cJSON> node) const override;
    cJSON* createDefaultNode() const override;
};

}  // namespace nORVMISysAPICommon100
