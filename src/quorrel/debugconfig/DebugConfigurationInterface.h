#pragma once
// The debug configuration file, parsed and locked for the life of the object. The lock excludes
// every other open of the file, this thread's included: open one configuration at a time per thread.
#include <cstdint>
#include <memory>
#include <string>

#include "quorrel/debugconfig/DebugDeviceEntryInterface.h"

namespace nORVMISysAPICommon100 {

// Values handed to getOrCreateEntry: the bag's tags 0x10001000, 0x10002000 and 0x10003000.
struct DebugDeviceEntryValues {
    bool debugEnabled = true;  // not stored
    int32_t debugSessionConfiguration = 1;
    bool serverIsOutOfProcess = false;
};

class DebugConfigurationInterface {
public:
    virtual ~DebugConfigurationInterface() = default;

    // Throws the entry-not-found status (kUsageTypeToken = key) when the key has no entry.
    virtual std::shared_ptr<DebugDeviceEntryInterface> getEntry(const std::string& key) = 0;
    // Creates a missing entry with values; an existing one takes values only with overwrite.
    virtual std::shared_ptr<DebugDeviceEntryInterface> getOrCreateEntry(const std::string& key,
                                                                        const DebugDeviceEntryValues& values,
                                                                        bool overwrite) = 0;
    // Writes the document when its text changed since it was last read or written; returns
    // whether it wrote.
    virtual bool save() = 0;
};

}  // namespace nORVMISysAPICommon100
