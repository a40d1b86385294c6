#pragma once
// Builds entries over the nodes of a parsed debug configuration document.
#include <memory>

#include "quorrel/debugconfig/DebugDeviceEntryInterface.h"

struct cJSON;

namespace nORVMISysAPICommon100 {

class DebugDeviceEntryFactoryInterface {
public:
    virtual ~DebugDeviceEntryFactoryInterface() = default;

    // node shares ownership of the whole document, so an entry kept past its configuration
    // stays valid (it then only reads and edits a detached copy).
    virtual std::shared_ptr<DebugDeviceEntryInterface> createEntry(const char* key,
                                                                   std::shared_ptr<cJSON> node) const = 0;
    // A new object {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": false}; the caller owns it.
    virtual cJSON* createDefaultNode() const = 0;
};

}  // namespace nORVMISysAPICommon100
