#include "SvsConfiguration.h"

#include <new>
#include <vector>

#include "ObserverRegistry.h"
#include "StorageObject.h"
#include "storage/StorageAccess.h"

namespace orvsim {
namespace explorer {

namespace {

using nORVMDBG100::tStatus2;

class GuidCollector final : public nORVDPAI100::iItemAdder<tSSRawGUID> {
public:
    void add(const tSSRawGUID& item, tStatus2& status) override {
        if (status.isFatal()) return;
        try {
            ids.push_back(item);
        } catch (const std::bad_alloc&) {
            status.setCode(-50352, "svs", __FILE__, __LINE__);
        }
    }
    std::vector<tSSRawGUID> ids;
};

// The IDs of a storage class through one read operation of the storage.
HRESULT collectIDs(const std::wstring& name, ULONG storageClass, std::vector<tSSRawGUID>& ids) {
    tStatus2 status;
    nORVMS100::iStorageSession* session = nORVDPAI100::getSession(name.c_str(), status);
    nORVMS100::tStorageSessionReaderWithLock* reader = nORVDPAI100::beginReadOperation(session, status);
    GuidCollector collector;
    nORVDPAI100::getAllObjectIDsForClass(reader, storageClass, collector, status);
    tStatus2 endStatus;
    nORVDPAI100::endReadOperation(reader, endStatus);
    nORVDPAI100::releaseSession(session, endStatus);
    if (status.isFatal()) return E_FAIL;
    ids = std::move(collector.ids);
    return S_OK;
}

}  // namespace

std::atomic<uint32_t> SvsConfiguration::aliveCount{0};
std::atomic<HRESULT> SvsConfiguration::subscribeFailure{0};

SvsConfiguration::SvsConfiguration(ULONG flags, const wchar_t* name) : flags_(flags), name_(name ? name : L"") {
    ++aliveCount;
}

SvsConfiguration::~SvsConfiguration() { --aliveCount; }

HRESULT SvsConfiguration::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IsvsConfiguration) {
        *object = static_cast<IsvsConfiguration*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT SvsConfiguration::GetFlags(ULONG* flags) {
    if (flags == nullptr) return E_POINTER;
    *flags = flags_;
    return S_OK;
}

HRESULT SvsConfiguration::GetName(BSTR* name) {
    if (name == nullptr) return E_POINTER;
    *name = SysAllocString(name_.c_str());
    return *name == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT SvsConfiguration::FindObject(const GUID* id, IsvsObject** object) {
    if (id == nullptr || object == nullptr) return E_POINTER;
    *object = nullptr;
    tStatus2 status;
    nORVMS100::iStorageSession* session = nORVDPAI100::getSession(name_.c_str(), status);
    nORVMS100::tStorageSessionReaderWithLock* reader = nORVDPAI100::beginReadOperation(session, status);
    tSSRawGUID classID{};
    nORVDPAI100::getClassIDForObject(reader, toRawGuid(*id), classID, status);
    tStatus2 endStatus;
    nORVDPAI100::endReadOperation(reader, endStatus);
    nORVDPAI100::releaseSession(session, endStatus);
    if (status.isFatal()) return S_FALSE;
    *object = new (std::nothrow) StorageObject(*id);
    return *object == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT SvsConfiguration::GetObjectCount(ULONG storageClass, ULONG* count) {
    return GetObjectIDs(storageClass, 0, nullptr, count);
}

HRESULT SvsConfiguration::GetObjectIDs(ULONG storageClass, ULONG capacity, GUID* ids, ULONG* count) {
    if (count == nullptr || (capacity > 0 && ids == nullptr)) return E_POINTER;
    try {
        std::vector<tSSRawGUID> found;
        HRESULT hr = collectIDs(name_, storageClass, found);
        if (FAILED(hr)) return hr;
        for (ULONG i = 0; i < capacity && i < found.size(); ++i) ids[i] = toGuid(found[i]);
        *count = static_cast<ULONG>(found.size());
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT SvsConfiguration::Reload() {
    try {
        ObserverRegistry::instance().reload();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT SvsConfiguration::GetSubscriptionCount(ULONG* count) {
    if (count == nullptr) return E_POINTER;
    *count = ObserverRegistry::instance().count();
    return S_OK;
}

HRESULT SvsConfiguration::Subscribe(ULONG kind, const GUID* category, IsvsStorageObserver* observer) {
    if (category == nullptr || observer == nullptr) return E_POINTER;
    if (kind != kSvsSubscriptionDevices || *category != SVS_CATEGORY_DEVICES) return E_INVALIDARG;
    HRESULT failure = subscribeFailure.load();
    if (failure != 0) return failure;
    try {
        return ObserverRegistry::instance().subscribe(observer);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT SvsConfiguration::Unsubscribe(IsvsStorageObserver* observer) {
    if (observer == nullptr) return E_POINTER;
    return ObserverRegistry::instance().unsubscribe(observer);
}

}  // namespace explorer
}  // namespace orvsim
