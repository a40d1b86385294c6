#include "quorrel/expertbase/ItemAdders.h"

#include <new>

#include "storage/StorageStatus.h"

namespace nORVMISysAPICommon100 {

void tSSRawGUIDItemAdder::add(const tSSRawGUID& item, nORVMDBG100::tStatus2& status) {
    if (status.isFatal()) return;
    try {
        items_.push_back(item);
    } catch (const std::bad_alloc&) {
        status.setCode(nORVDPAI100::kStatusOutOfMemory, ORVERR_COMPONENT, __FILE__, __LINE__);
    }
}

void tWCharItemAdder::add(const wchar_t* const& item, nORVMDBG100::tStatus2& status) {
    if (status.isFatal()) return;
    try {
        value_.assign(item == nullptr ? L"" : item);
    } catch (const std::bad_alloc&) {
        status.setCode(nORVDPAI100::kStatusOutOfMemory, ORVERR_COMPONENT, __FILE__, __LINE__);
    }
}

}  // namespace nORVMISysAPICommon100
