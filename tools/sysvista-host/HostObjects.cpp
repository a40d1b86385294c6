#include "HostObjects.h"

#include <string>

#include "explorer/ComPtr.h"
#include "Console.h"
#include "TimeStamp.h"
#include "sim/explorer/WideText.h"

namespace sysvistahost {

std::string notificationKindName(ULONG kind) {
    switch (kind) {
    case kSvSysDevicesAdded:
        return "added";
    case kSvSysDevicesRemoved:
        return "removed";
    case kSvSysDevicesChanged:
        return "changed";
    default:
        return std::to_string(kind);
    }
}

HRESULT HostSink::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IsvSysPlugPlaySink) {
        *object = static_cast<IsvSysPlugPlaySink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostSink::OnDevicesChanged(IUnknown* sender, ULONG kind, IsvSysEnumStringList* deviceIDs) {
    if (deviceIDs == nullptr) return E_POINTER;
    std::string line = timeStamp() + " notification " + notificationKindName(kind);
    for (;;) {
        BstrHolder id;
        ULONG fetched = 0;
        HRESULT hr = deviceIDs->Next(1, id.out(), &fetched);
        if (FAILED(hr) || fetched == 0) break;
        line += " " + orvsim::toUtf8(id.get());
    }
    printLine(line);
    {
        std::lock_guard<std::mutex> guard(_lock);
        ++_count;
    }
    _arrived.notify_all();
    return S_OK;
}

uint32_t HostSink::notificationCount() {
    std::lock_guard<std::mutex> guard(_lock);
    return _count;
}

bool HostSink::waitForNotifications(uint32_t count, std::chrono::seconds limit) {
    std::unique_lock<std::mutex> guard(_lock);
    return _arrived.wait_for(guard, limit, [&] { return _count >= count; });
}

BagCollection::~BagCollection() {
    for (IsvSysPropertyBag* bag : _bags) bag->Release();
}

HRESULT BagCollection::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IsvSysPropertyBagCollection) {
        *object = static_cast<IsvSysPropertyBagCollection*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT BagCollection::GetCount(ULONG* count) {
    if (count == nullptr) return E_POINTER;
    std::lock_guard<std::mutex> guard(_lock);
    *count = static_cast<ULONG>(_bags.size());
    return S_OK;
}

HRESULT BagCollection::GetItem(ULONG index, IsvSysPropertyBag** bag) {
    if (bag == nullptr) return E_POINTER;
    std::lock_guard<std::mutex> guard(_lock);
    if (index >= _bags.size()) {
        *bag = nullptr;
        return E_INVALIDARG;
    }
    *bag = _bags[index];
    (*bag)->AddRef();
    return S_OK;
}

HRESULT BagCollection::Add(IsvSysPropertyBag* bag) {
    if (bag == nullptr) return E_POINTER;
    std::lock_guard<std::mutex> guard(_lock);
    _bags.push_back(bag);
    bag->AddRef();
    return S_OK;
}

}  // namespace sysvistahost
