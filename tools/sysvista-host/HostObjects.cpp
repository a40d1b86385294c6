#include "HostObjects.h"

#include <string>

#include "explorer/ComPtr.h"
#include "Console.h"
#include "TimeStamp.h"
#include "common/platform/WideText.h"

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
        line += " " + platform::wideToUtf8(id.get());
    }
    printLine(line);
    {
        std::lock_guard<std::mutex> guard(lock_);
        ++count_;
    }
    arrived_.notify_all();
    return S_OK;
}

uint32_t HostSink::notificationCount() {
    std::lock_guard<std::mutex> guard(lock_);
    return count_;
}

bool HostSink::waitForNotifications(uint32_t count, std::chrono::seconds limit) {
    std::unique_lock<std::mutex> guard(lock_);
    return arrived_.wait_for(guard, limit, [&] { return count_ >= count; });
}

BagCollection::~BagCollection() {
    for (IsvSysPropertyBag* bag : bags_) bag->Release();
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
    std::lock_guard<std::mutex> guard(lock_);
    *count = static_cast<ULONG>(bags_.size());
    return S_OK;
}

HRESULT BagCollection::GetItem(ULONG index, IsvSysPropertyBag** bag) {
    if (bag == nullptr) return E_POINTER;
    std::lock_guard<std::mutex> guard(lock_);
    if (index >= bags_.size()) {
        *bag = nullptr;
        return E_INVALIDARG;
    }
    *bag = bags_[index];
    (*bag)->AddRef();
    return S_OK;
}

HRESULT BagCollection::Add(IsvSysPropertyBag* bag) {
    if (bag == nullptr) return E_POINTER;
    std::lock_guard<std::mutex> guard(lock_);
    bags_.push_back(bag);
    bag->AddRef();
    return S_OK;
}

}  // namespace sysvistahost
