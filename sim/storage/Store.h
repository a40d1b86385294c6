#pragma once
// The process-wide storage: the current content (replaced as a whole on every change, so that
// a read operation keeps a consistent view without holding a lock), the change subscribers and
// the injected failures.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "StorageModel.h"
#include "storage/SimStorage.h"

namespace orvsim {
namespace storage {

class Store {
public:
    static Store& instance();

    // The current content, loaded at first use; loadStatus is 0 or the reason it is unusable.
    std::shared_ptr<const Content> snapshot();
    int32_t loadStatus();

    // The injected failure of a function, or 0.
    int32_t injectedFailure(const char* functionName);
    void setFailure(const char* functionName, int32_t status);
    void clearFailures();

    int32_t load(const char* descriptionJson);
    int32_t loadFile(const char* path);
    int32_t putClass(const char* classJson);
    int32_t addObject(const char* objectJson);
    int32_t modifyObject(const char* objectJson);
    int32_t removeObject(const char* id);

    void beginBatch();
    void endBatch();
    uint32_t subscribe(SimStorage_ChangeCallback callback, void* context);
    void unsubscribe(uint32_t cookie);

    std::atomic<uint32_t> openSessions{0};
    std::atomic<uint32_t> openReaders{0};

private:
    Store() = default;

    struct Subscriber {
        uint32_t cookie;
        SimStorage_ChangeCallback callback;
        void* context;
    };

    // Applies a change to a copy of the content; the change reports its event (or -1: none).
    template <typename Change>
    int32_t change(Change apply);
    void ensureLoaded();  // with stateLock_ held
    void install(Content content, int32_t status);  // with stateLock_ held
    void notify(int32_t event, const tSSRawGUID* id);

    std::mutex stateLock_;
    bool loaded_ = false;
    int32_t loadStatus_ = 0;
    std::shared_ptr<const Content> content_;

    // Serialises changes and the delivery of their events; held across a batch.
    std::recursive_mutex changeLock_;

    std::mutex subscriberLock_;
    std::vector<Subscriber> subscribers_;
    uint32_t nextCookie_ = 1;

    std::mutex failureLock_;
    std::atomic<bool> anyFailure_{false};
    std::map<std::string, int32_t> failures_;
};

}  // namespace storage
}  // namespace orvsim
