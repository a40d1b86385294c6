#pragma once
// The inner code's view of a bag: a counted reference whose typed reads and writes throw the
// bag's failure HRESULT instead of returning it.
#include <cstdint>
#include <set>
#include <string>

#include "explorer/PropertyBag.h"
#include "quorrel/comsupport/ComObject.h"

namespace sysapicpp {

class PropertyBagHandle {
public:
    PropertyBagHandle() = default;
    // Takes a reference of its own.
    explicit PropertyBagHandle(IsvSysPropertyBag4* bag) : bag_(bag) {}
    // A bag the host submitted: must answer the host's bag interface and the full bag table.
    static PropertyBagHandle fromUnknown(IUnknown* bag);

    IsvSysPropertyBag4* get() const noexcept { return bag_.get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(bag_); }

    bool hasTag(uint32_t tag) const;
    bool getBool(uint32_t tag) const;
    int32_t getI32(uint32_t tag) const;
    uint32_t getU32(uint32_t tag) const;
    GUID getGuid(uint32_t tag) const;
    std::wstring getString(uint32_t tag) const;
    std::set<uint32_t> modifiedTags() const;

    void setBool(uint32_t tag, bool value) const;
    void setI32(uint32_t tag, int32_t value) const;
    void setU32(uint32_t tag, uint32_t value) const;
    void setGuid(uint32_t tag, const GUID& value) const;
    void setString(uint32_t tag, const std::wstring& value) const;

private:
    IsvSysPropertyBag4& bag() const;

    CORVComPtr<IsvSysPropertyBag4> bag_;
};

}  // namespace sysapicpp
