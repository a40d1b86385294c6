#pragma once
// Types of the data-acquisition framework's storage access library (orvqtxfu).
#include <cstdint>

#include "palu/tSSRawGUID.h"
#include "palu/tStatus2.h"

namespace nORVMS100 {
// An open storage session (getSession / releaseSession).
class iStorageSession;
// A read operation on a session: a consistent view of the storage from beginReadOperation to
// endReadOperation.
class tStorageSessionReaderWithLock;
}  // namespace nORVMS100

namespace nORVDPAI100 {

typedef uint32_t tStorageClass;
typedef uint32_t tAttributeID;

// Receives the items of a list, one call per item. Implementations do nothing when the status
// is already negative and report failures through it instead of throwing.
template <typename T>
class iItemAdder {
public:
    virtual ~iItemAdder() {}
    virtual void add(const T& item, nORVMDBG100::tStatus2& status) = 0;
};

}  // namespace nORVDPAI100
