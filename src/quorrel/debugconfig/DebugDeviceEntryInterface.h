#pragma once
// One device's debug settings inside an open debug configuration.
#include <cstdint>
#include <optional>
#include <string>

namespace nORVMISysAPICommon100 {

class DebugDeviceEntryInterface {
public:
    virtual ~DebugDeviceEntryInterface() = default;

    virtual const std::string& getKey() const = 0;
    // Why the entry cannot be used (debugconfig::entryFault); empty when it can. The getters
    // below read an unusable entry as it stands.
    virtual std::string fault() const = 0;
    // Empty when the member is missing or not a number; a number outside int32 throws
    // boost::numeric::bad_numeric_cast; otherwise truncated toward zero.
    virtual std::optional<int32_t> getDebugSessionConfiguration() const = 0;
    // True only when the member exists and is JSON true.
    virtual bool getServerIsOutOfProcess() const = 0;
    // Replace the member in place (its position stays), or add it when missing. An entry that is
    // not an object becomes an empty one first.
    virtual void setDebugSessionConfiguration(int32_t value) = 0;
    virtual void setServerIsOutOfProcess(bool value) = 0;
};

}  // namespace nORVMISysAPICommon100
