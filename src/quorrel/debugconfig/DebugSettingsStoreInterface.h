#pragma once
// One-call operations on the debug configuration file: each opens, locks, works and closes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quorrel/debugconfig/DebugConfigurationInterface.h"

namespace nORVMISysAPICommon100 {

// A device's settings as stored; the configuration number is empty when it does not read as a number.
struct DebugDeviceSettings {
    std::optional<int32_t> debugSessionConfiguration;
    bool serverIsOutOfProcess = false;
};

class DebugSettingsStoreInterface {
public:
    virtual ~DebugSettingsStoreInterface() = default;

    // The stored settings of key, or nothing when the file has no entry for it (nothing is written).
    virtual std::optional<DebugDeviceSettings> read(const std::string& key) = 0;
    // Entries for keys that have none, with the defaults (1, false); existing ones stay.
    // Returns the settings of every key, in order.
    virtual std::vector<DebugDeviceSettings> ensure(const std::vector<std::string>& keys) = 0;
    // The commit of the host: both values of key are replaced (entry created when missing).
    // Returns whether the file was written.
    virtual bool commit(const std::string& key, const DebugDeviceEntryValues& values) = 0;
};

}  // namespace nORVMISysAPICommon100
