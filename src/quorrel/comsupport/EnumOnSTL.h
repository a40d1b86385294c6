#pragma once
// CORVComEnumOnSTL: a COM enumerator over a collection that an owner object keeps alive. The
// enumerator holds one reference on the owner and its own position; clones share the owner.
#include <cstddef>
#include <iterator>
#include <new>
#include <string>

#include "quorrel/comsupport/ComObject.h"
#include "quorrel/comsupport/CorvBStr.h"

// How an item leaves the enumerator.
struct CORVCopyULONG {
    static bool copy(ULONG& out, const ULONG& item) noexcept {
        out = item;
        return true;
    }
    static void destroy(ULONG&) noexcept {}
};

struct CORVCopyWStringToBSTR {
    static bool copy(BSTR& out, const std::wstring& item) noexcept {
        out = SysAllocStringLen(item.data(), static_cast<UINT>(item.size()));
        return out != nullptr;
    }
    static void destroy(BSTR& item) noexcept {
        SysFreeString(item);
        item = nullptr;
    }
};

template <class Itf, const IID* ItfId, class Item, class Copy, class Collection>
class IORVEnumOnSTLImpl : public Itf, public CORVComObjectRootEx<CORVComMultiThreadModelNoCS> {
public:
    using Self = IORVEnumOnSTLImpl;

    // Without a collection the enumerator answers E_FAIL.
    void init(IUnknown* owner, const Collection* collection) {
        owner_ = CORVComPtr<IUnknown>(owner);
        collection_ = collection;
        if (collection_ != nullptr) position_ = collection_->begin();
    }

    HRESULT Next(ULONG count, Item* items, ULONG* fetched) override {
        if (items == nullptr) return E_POINTER;
        if (count != 1 && fetched == nullptr) return E_POINTER;
        if (fetched != nullptr) *fetched = 0;
        if (collection_ == nullptr) return E_FAIL;
        ULONG done = 0;
        auto position = position_;
        for (; done < count && position != collection_->end(); ++done, ++position) {
            if (!Copy::copy(items[done], *position)) {
                for (ULONG i = 0; i < done; ++i) Copy::destroy(items[i]);
                return E_OUTOFMEMORY;
            }
        }
        position_ = position;
        if (fetched != nullptr) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }

    HRESULT Skip(ULONG count) override {
        if (collection_ == nullptr) return E_FAIL;
        for (ULONG i = 0; i < count; ++i) {
            if (position_ == collection_->end()) return S_FALSE;
            ++position_;
        }
        return S_OK;
    }

    HRESULT Reset() override {
        if (collection_ == nullptr) return E_FAIL;
        position_ = collection_->begin();
        return S_OK;
    }

    HRESULT Clone(Itf** out) override;

    static const CORVComInterfaceEntry<Self>* interfaceMap() {
        static const CORVComInterfaceEntry<Self> map[] = {{ItfId, &corvComCast<Self, Itf>}, {nullptr, nullptr}};
        return map;
    }

protected:
    IORVEnumOnSTLImpl() = default;
    ~IORVEnumOnSTLImpl() = default;

private:
    CORVComPtr<IUnknown> owner_;
    const Collection* collection_ = nullptr;
    typename Collection::const_iterator position_{};
};

template <class Itf, const IID* ItfId, class Item, class Copy, class Collection>
using CORVComEnumOnSTL = CORVComObject<IORVEnumOnSTLImpl<Itf, ItfId, Item, Copy, Collection>>;

template <class Itf, const IID* ItfId, class Item, class Copy, class Collection>
HRESULT IORVEnumOnSTLImpl<Itf, ItfId, Item, Copy, Collection>::Clone(Itf** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    using Copied = CORVComEnumOnSTL<Itf, ItfId, Item, Copy, Collection>;
    CORVComPtr<Copied> copy;
    const HRESULT hr = Copied::createInstance(copy);
    if (FAILED(hr)) return hr;
    copy->init(owner_.get(), collection_);
    copy->position_ = position_;
    *out = copy.detach();
    return S_OK;
}
