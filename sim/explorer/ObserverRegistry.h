#pragma once
// The observers subscribed with any configuration object, and the delivery of storage events
// to them. Deliveries are serialised; an observer subscribed during a batch joins at the next.
#include <cstdint>
#include <mutex>
#include <vector>

#include "explorer/SvsStorage.h"
#include "palu/tSSRawGUID.h"

namespace orvsim {
namespace explorer {

class ObserverRegistry {
public:
    static ObserverRegistry& instance();

    // Takes a reference on the observer.
    HRESULT subscribe(IsvsStorageObserver* observer);
    // Drops one subscription of the observer and its reference; E_INVALIDARG if it has none.
    HRESULT unsubscribe(IsvsStorageObserver* observer);
    uint32_t count();

    // A storage event (SimStorage_kEvent...); id is null for batch begin and end.
    void deliver(int32_t event, const tSSRawGUID* id);
    // One batch with OnStorageReloaded.
    void reload();

private:
    ObserverRegistry() = default;

    struct Entry {
        IsvsStorageObserver* observer;
        bool active;
    };

    // The active observers, each with a reference the caller drops; updates the batch depth.
    std::vector<IsvsStorageObserver*> takeActive(int32_t event);

    std::recursive_mutex deliveryLock_;
    std::mutex lock_;
    std::vector<Entry> entries_;
    uint32_t depth_ = 0;
};

}  // namespace explorer
}  // namespace orvsim
