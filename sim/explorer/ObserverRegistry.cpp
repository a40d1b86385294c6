#include "ObserverRegistry.h"

#include <new>

#include "StorageObject.h"
#include "storage/SimStorage.h"

namespace orvsim {
namespace explorer {

ObserverRegistry& ObserverRegistry::instance() {
    static ObserverRegistry* registry = new ObserverRegistry;  // storage may call in at exit
    return *registry;
}

HRESULT ObserverRegistry::subscribe(IsvsStorageObserver* observer) {
    std::lock_guard<std::mutex> guard(lock_);
    entries_.push_back(Entry{observer, depth_ == 0});
    observer->AddRef();
    return S_OK;
}

HRESULT ObserverRegistry::unsubscribe(IsvsStorageObserver* observer) {
    // Waits for a delivery in progress: once this returns, the observer hears nothing more.
    std::lock_guard<std::recursive_mutex> delivery(deliveryLock_);
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = entries_.begin();
        while (it != entries_.end() && it->observer != observer) ++it;
        if (it == entries_.end()) return E_INVALIDARG;
        entries_.erase(it);
    }
    observer->Release();
    return S_OK;
}

uint32_t ObserverRegistry::count() {
    std::lock_guard<std::mutex> guard(lock_);
    return static_cast<uint32_t>(entries_.size());
}

std::vector<IsvsStorageObserver*> ObserverRegistry::takeActive(int32_t event) {
    std::lock_guard<std::mutex> guard(lock_);
    if (event == SimStorage_kEventBatchBegin) {
        if (depth_ == 0)
            for (Entry& e : entries_) e.active = true;
        ++depth_;
    }
    std::vector<IsvsStorageObserver*> active;
    for (const Entry& e : entries_) {
        if (!e.active) continue;
        e.observer->AddRef();
        active.push_back(e.observer);
    }
    if (event == SimStorage_kEventBatchEnd && depth_ > 0) --depth_;
    return active;
}

void ObserverRegistry::deliver(int32_t event, const tSSRawGUID* id) {
    std::lock_guard<std::recursive_mutex> delivery(deliveryLock_);
    std::vector<IsvsStorageObserver*> observers = takeActive(event);
    GUID guid{};
    if (id != nullptr) guid = toGuid(*id);
    for (IsvsStorageObserver* observer : observers) {
        switch (event) {
        case SimStorage_kEventBatchBegin:
            observer->OnBeginBatch();
            break;
        case SimStorage_kEventBatchEnd:
            observer->OnEndBatch();
            break;
        case SimStorage_kEventChanged:
            observer->OnObjectChanged(&guid);
            break;
        case SimStorage_kEventAdded:
        case SimStorage_kEventRemoved: {
            StorageObject* object = new (std::nothrow) StorageObject(guid);
            if (object == nullptr) break;  // this observer misses the object; the others still hear
            if (event == SimStorage_kEventAdded) {
                observer->OnObjectAdded(object);
            } else {
                observer->OnObjectRemoved(object);
            }
            object->Release();
            break;
        }
        default:
            break;
        }
        observer->Release();
    }
}

void ObserverRegistry::reload() {
    std::lock_guard<std::recursive_mutex> delivery(deliveryLock_);
    deliver(SimStorage_kEventBatchBegin, nullptr);
    std::vector<IsvsStorageObserver*> observers = takeActive(-1);
    for (IsvsStorageObserver* observer : observers) {
        observer->OnStorageReloaded();
        observer->Release();
    }
    deliver(SimStorage_kEventBatchEnd, nullptr);
}

}  // namespace explorer
}  // namespace orvsim
