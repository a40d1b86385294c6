#pragma once
// Receivers of the storage library's lists. They never throw: out of memory becomes a status.
#include <string>
#include <vector>

#include "storage/StorageTypes.h"

namespace nORVMISysAPICommon100 {

// Appends every ID delivered.
class tSSRawGUIDItemAdder : public nORVDPAI100::iItemAdder<tSSRawGUID> {
public:
    void add(const tSSRawGUID& item, nORVMDBG100::tStatus2& status) override;
    const std::vector<tSSRawGUID>& items() const noexcept { return items_; }

private:
    std::vector<tSSRawGUID> items_;
};

// Keeps the last string delivered.
class tWCharItemAdder : public nORVDPAI100::iItemAdder<const wchar_t*> {
public:
    void add(const wchar_t* const& item, nORVMDBG100::tStatus2& status) override;
    const std::wstring& value() const noexcept { return value_; }

private:
    std::wstring value_;
};

}  // namespace nORVMISysAPICommon100
