#include "quorrel/sysapicpp/PropertyBagHandle.h"

#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

PropertyBagHandle PropertyBagHandle::fromUnknown(IUnknown* bag) {
    if (bag == nullptr) SYSAPICPP_CHECK(E_POINTER);
    CORVComPtr<IsvSysPropertyBag> base;
    SYSAPICPP_CHECK(bag->QueryInterface(IID_IsvSysPropertyBag, base.outVoid()));
    CORVComPtr<IsvSysPropertyBag4> full;
    SYSAPICPP_CHECK(base->QueryInterface(IID_IsvSysPropertyBag4, full.outVoid()));
    PropertyBagHandle handle;
    handle.bag_ = full;
    return handle;
}

IsvSysPropertyBag4& PropertyBagHandle::bag() const {
    if (!bag_) SYSAPICPP_CHECK(E_POINTER);
    return *bag_.get();
}

bool PropertyBagHandle::hasTag(uint32_t tag) const {
    const HRESULT hr = bag().HasTag(tag);
    SYSAPICPP_CHECK(hr);
    return hr == S_OK;
}

bool PropertyBagHandle::getBool(uint32_t tag) const {
    BOOL value = FALSE;
    SYSAPICPP_CHECK(bag().GetBool(tag, &value));
    return value != FALSE;
}

int32_t PropertyBagHandle::getI32(uint32_t tag) const {
    LONG value = 0;
    SYSAPICPP_CHECK(bag().GetI32(tag, &value));
    return value;
}

uint32_t PropertyBagHandle::getU32(uint32_t tag) const {
    ULONG value = 0;
    SYSAPICPP_CHECK(bag().GetU32(tag, &value));
    return value;
}

GUID PropertyBagHandle::getGuid(uint32_t tag) const {
    GUID value{};
    SYSAPICPP_CHECK(bag().GetGuid(tag, &value));
    return value;
}

std::wstring PropertyBagHandle::getString(uint32_t tag) const {
    BSTR value = nullptr;
    SYSAPICPP_CHECK(bag().GetString(tag, &value));
    std::wstring text(value == nullptr ? L"" : value, SysStringLen(value));
    SysFreeString(value);
    return text;
}

std::set<uint32_t> PropertyBagHandle::modifiedTags() const {
    CORVComPtr<IsvSysEnumPropertyTag> tags;
    SYSAPICPP_CHECK(bag().GetModifiedTags(tags.out()));
    std::set<uint32_t> out;
    if (!tags) return out;
    ULONG tag = 0;
    ULONG fetched = 0;
    while (tags->Next(1, &tag, &fetched) == S_OK && fetched == 1) out.insert(tag);
    return out;
}

void PropertyBagHandle::setBool(uint32_t tag, bool value) const { SYSAPICPP_CHECK(bag().SetBool(tag, value ? TRUE : FALSE)); }
void PropertyBagHandle::setI32(uint32_t tag, int32_t value) const { SYSAPICPP_CHECK(bag().SetI32(tag, value)); }
void PropertyBagHandle::setU32(uint32_t tag, uint32_t value) const { SYSAPICPP_CHECK(bag().SetU32(tag, value)); }
void PropertyBagHandle::setGuid(uint32_t tag, const GUID& value) const { SYSAPICPP_CHECK(bag().SetGuid(tag, &value)); }
void PropertyBagHandle::setString(uint32_t tag, const std::wstring& value) const {
    SYSAPICPP_CHECK(bag().SetString(tag, value.c_str()));
}

}  // namespace sysapicpp
