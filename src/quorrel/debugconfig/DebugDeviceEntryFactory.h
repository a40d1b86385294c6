#pragma once
// Builds entries over the nodes of a parsed debug configuration document.
#include <memory>

#include "quorrel/debugconfig/DebugDeviceEntry.h"

struct cJSON;

namespace nORVMISysAPICommon100 {

class DebugDeviceEntryFactory {
public:
    virtual ~DebugDeviceEntryFactory() = default;
    // node shares ownership of the whole document, so an entry kept past its configuration
    // stays valid (it then only reads and edits a detached copy).
    virtual std::shared_ptr<DebugDeviceEntry> createEntry(const char* key, std::shared_ptr<cJSON> node) const;
    // A new object {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": false}; the caller owns it.
    virtual cJSON* createDefaultNode() const;
};

}  // namespace nORVMISysAPICommon100
