#pragma once
// One device's debug settings in the parsed debug configuration.
#include <memory>
#include <string>

#include "quorrel/debugconfig/DebugDeviceEntryInterface.h"

struct cJSON;

namespace nORVMISysAPICommon100 {

class DebugDeviceEntry final : public DebugDeviceEntryInterface {
public:
    // node shares ownership of its document.
    DebugDeviceEntry(std::string key, std::shared_ptr<cJSON> node);

    const std::string& getKey() const override { return key_; }
    std::string fault() const override;
    std::optional<int32_t> getDebugSessionConfiguration() const override;
    bool getServerIsOutOfProcess() const override;
    void setDebugSessionConfiguration(int32_t value) override;
    void setServerIsOutOfProcess(bool value) override;

private:
    cJSON& writableNode();

    std::string key_;
    std::shared_ptr<cJSON> node_;
};

}  // namespace nORVMISysAPICommon100
