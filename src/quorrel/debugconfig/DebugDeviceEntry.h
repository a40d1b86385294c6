#pragma once
// One device's debug settings inside an open debug configuration.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct cJSON;

namespace nORVMISysAPICommon100 {

class DebugDeviceEntry final {
public:
    // node shares ownership of its document.
    DebugDeviceEntry(std::string key, std::shared_ptr<cJSON> node);

    const std::string& getKey() const { return key_; }
    // Why the entry cannot be used (debugconfig::entryFault); empty when it can. The getters
    // below read an unusable entry as it stands.
    std::string fault() const;
    // Empty when the member is missing or not a number; a number outside int32 throws
    // boost::numeric::bad_numeric_cast; otherwise truncated toward zero.
    std::optional<int32_t> getDebugSessionConfiguration() const;
    // True only when the member exists and is JSON true.
    bool getServerIsOutOfProcess() const;
    // Replace the member in place (its position stays), or add it when missing. An entry that is
    // not an object becomes an empty one first.
    void setDebugSessionConfiguration(int32_t value);
    void setServerIsOutOfProcess(bool value);

private:
    cJSON& writableNode();

    std::string key_;
    std::shared_ptr<cJSON> node_;
};

}  // namespace nORVMISysAPICommon100
