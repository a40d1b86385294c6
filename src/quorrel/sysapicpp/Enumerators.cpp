#include "quorrel/sysapicpp/Enumerators.h"

#include <new>

#include "quorrel/comsupport/EnumOnSTL.h"

namespace sysapicpp {
namespace {

// Keeps the collection alive for the enumerators made over it.
template <class Collection>
class CsvSysEnumHolder : public IUnknown, public CORVComObjectRootEx<CORVComMultiThreadModelNoCS> {
public:
    explicit CsvSysEnumHolder(const Collection& items) : items_(items) {}
    const Collection& items() const { return items_; }

    static const CORVComInterfaceEntry<CsvSysEnumHolder>* interfaceMap() {
        static const CORVComInterfaceEntry<CsvSysEnumHolder> map[] = {
            {&IID_IUnknown, &corvComCast<CsvSysEnumHolder, IUnknown>}, {nullptr, nullptr}};
        return map;
    }

protected:
    ~CsvSysEnumHolder() = default;

private:
    const Collection items_;
};

using CsvSysEnumItemNamesSTL = CsvSysEnumHolder<StringList>;
using CsvSysEnumPropertyTagsSTL = CsvSysEnumHolder<TagSet>;

using StringEnumerator =
    CORVComEnumOnSTL<IsvSysEnumStringList, &IID_IsvSysEnumStringList, BSTR, CORVCopyWStringToBSTR, StringList>;
using TagEnumerator = CORVComEnumOnSTL<IsvSysEnumPropertyTag, &IID_IsvSysEnumPropertyTag, ULONG, CORVCopyULONG, TagSet>;

template <class Enumerator, class Holder, class Itf, class Collection>
HRESULT createEnumerator(const Collection& items, Itf** out) noexcept {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    CORVComPtr<CORVComObject<Holder>> holder;
    HRESULT hr;
    try {
        hr = CORVComObject<Holder>::createInstance(holder, items);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    if (FAILED(hr)) return hr;
    CORVComPtr<Enumerator> enumerator;
    hr = Enumerator::createInstance(enumerator);
    if (FAILED(hr)) return hr;
    enumerator->init(holder.get(), &holder->items());
    *out = enumerator.detach();
    return S_OK;
}

}  // namespace

HRESULT createStringEnumerator(const StringList& items, IsvSysEnumStringList** out) noexcept {
    return createEnumerator<StringEnumerator, CsvSysEnumItemNamesSTL>(items, out);
}

HRESULT createTagEnumerator(const TagSet& tags, IsvSysEnumPropertyTag** out) noexcept {
    return createEnumerator<TagEnumerator, CsvSysEnumPropertyTagsSTL>(tags, out);
}

}  // namespace sysapicpp
