#include "Store.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "DefaultDescription.h"
#include "DescriptionParser.h"
#include "GuidText.h"
#include "storage/StorageStatus.h"

namespace orvsim {
namespace storage {

namespace {

constexpr const char* kDescriptionVariable = "ORV_STORAGE_FILE";

// The batch depth of the calling thread (SimStorage_beginBatch holds the change lock).
thread_local uint32_t t_batchDepth = 0;

bool readFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

// Parses a description; an unusable one yields the empty storage and its status.
int32_t parseInto(const std::string& json, Content& content) {
    std::string error;
    if (parseDescription(json, content, error)) return 0;
    content = Content();
    return nORVDPAI100::kStatusStorageUnreadable;
}

}  // namespace

Store& Store::instance() {
    static Store* store = new Store;  // outlives every module that still reads at unload
    return *store;
}

void Store::install(Content content, int32_t status) {
    content_ = std::make_shared<const Content>(std::move(content));
    loadStatus_ = status;
    loaded_ = true;
}

void Store::ensureLoaded() {
    if (loaded_) return;
    Content content;
    int32_t status = 0;
    const char* path = std::getenv(kDescriptionVariable);
    if (path != nullptr && *path != '\0') {
        std::string text;
        status = readFile(path, text) ? parseInto(text, content) : nORVDPAI100::kStatusStorageUnreadable;
    } else {
        status = parseInto(defaultDescription(), content);
    }
    install(std::move(content), status);
}

std::shared_ptr<const Content> Store::snapshot() {
    std::lock_guard<std::mutex> guard(stateLock_);
    ensureLoaded();
    return content_;
}

int32_t Store::loadStatus() {
    std::lock_guard<std::mutex> guard(stateLock_);
    ensureLoaded();
    return loadStatus_;
}

int32_t Store::injectedFailure(const char* functionName) {
    if (!anyFailure_.load()) return 0;
    std::lock_guard<std::mutex> guard(failureLock_);
    auto found = failures_.find(functionName);
    return found == failures_.end() ? 0 : found->second;
}

void Store::setFailure(const char* functionName, int32_t status) {
    if (functionName == nullptr) return;
    std::lock_guard<std::mutex> guard(failureLock_);
    if (status == 0) {
        failures_.erase(functionName);
    } else {
        failures_[functionName] = status;
    }
    anyFailure_.store(!failures_.empty());
}

void Store::clearFailures() {
    std::lock_guard<std::mutex> guard(failureLock_);
    failures_.clear();
    anyFailure_.store(false);
}

int32_t Store::load(const char* descriptionJson) {
    std::lock_guard<std::recursive_mutex> changeGuard(changeLock_);
    std::lock_guard<std::mutex> guard(stateLock_);
    if (descriptionJson == nullptr) {
        loaded_ = false;
        ensureLoaded();
        return loadStatus_;
    }
    Content content;
    int32_t status = parseInto(descriptionJson, content);
    if (status < 0) return status;  // a bad text leaves the storage as it was
    install(std::move(content), 0);
    return 0;
}

int32_t Store::loadFile(const char* path) {
    std::string text;
    if (path == nullptr || !readFile(path, text)) return nORVDPAI100::kStatusStorageUnreadable;
    return load(text.c_str());
}

template <typename Change>
int32_t Store::change(Change apply) {
    std::lock_guard<std::recursive_mutex> changeGuard(changeLock_);
    int32_t event = -1;
    tSSRawGUID id{};
    {
        std::lock_guard<std::mutex> guard(stateLock_);
        ensureLoaded();
        Content next = *content_;
        int32_t status = apply(next, event, id);
        if (status < 0) return status;
        content_ = std::make_shared<const Content>(std::move(next));
    }
    if (event >= 0) {
        notify(SimStorage_kEventBatchBegin, nullptr);
        notify(event, &id);
        notify(SimStorage_kEventBatchEnd, nullptr);
    }
    return 0;
}

int32_t Store::putClass(const char* classJson) {
    ClassRecord record;
    std::string error;
    if (classJson == nullptr || !parseClass(classJson, record, error)) return nORVDPAI100::kStatusInvalidArgument;
    return change([&](Content& content, int32_t&, tSSRawGUID&) {
        if (ClassRecord* existing = content.findClass(record.id)) {
            *existing = record;
        } else {
            content.classes.push_back(record);
        }
        return 0;
    });
}

int32_t Store::addObject(const char* objectJson) {
    ObjectRecord record;
    std::string error;
    if (objectJson == nullptr || !parseObject(objectJson, record, error)) return nORVDPAI100::kStatusInvalidArgument;
    return change([&](Content& content, int32_t& event, tSSRawGUID& id) {
        if (content.findObject(record.id)) return nORVDPAI100::kStatusInvalidArgument;
        content.addObject(record);
        event = SimStorage_kEventAdded;
        id = record.id;
        return 0;
    });
}

int32_t Store::modifyObject(const char* objectJson) {
    ObjectRecord record;
    std::string error;
    if (objectJson == nullptr || !parseObject(objectJson, record, error)) return nORVDPAI100::kStatusInvalidArgument;
    return change([&](Content& content, int32_t& event, tSSRawGUID& id) {
        ObjectRecord* existing = content.findObject(record.id);
        if (existing == nullptr) return nORVDPAI100::kStatusObjectNotFound;
        *existing = record;
        event = SimStorage_kEventChanged;
        id = record.id;
        return 0;
    });
}

int32_t Store::removeObject(const char* text) {
    tSSRawGUID removed{};
    if (text == nullptr || !parseGuid(text, removed)) return nORVDPAI100::kStatusInvalidArgument;
    return change([&](Content& content, int32_t& event, tSSRawGUID& id) {
        if (!content.removeObject(removed)) return nORVDPAI100::kStatusObjectNotFound;
        event = SimStorage_kEventRemoved;
        id = removed;
        return 0;
    });
}

void Store::beginBatch() {
    changeLock_.lock();
    ++t_batchDepth;
    notify(SimStorage_kEventBatchBegin, nullptr);
}

void Store::endBatch() {
    if (t_batchDepth == 0) return;  // unmatched: the lock is not ours to release
    notify(SimStorage_kEventBatchEnd, nullptr);
    --t_batchDepth;
    changeLock_.unlock();
}

uint32_t Store::subscribe(SimStorage_ChangeCallback callback, void* context) {
    if (callback == nullptr) return 0;
    std::lock_guard<std::mutex> guard(subscriberLock_);
    uint32_t cookie = nextCookie_++;
    subscribers_.push_back(Subscriber{cookie, callback, context});
    return cookie;
}

void Store::unsubscribe(uint32_t cookie) {
    // Waits for a delivery in progress, so that the callback's context may be freed afterwards.
    std::lock_guard<std::recursive_mutex> changeGuard(changeLock_);
    std::lock_guard<std::mutex> guard(subscriberLock_);
    for (auto it = subscribers_.begin(); it != subscribers_.end(); ++it) {
        if (it->cookie == cookie) {
            subscribers_.erase(it);
            return;
        }
    }
}

void Store::notify(int32_t event, const tSSRawGUID* id) {
    std::vector<Subscriber> subscribers;
    {
        std::lock_guard<std::mutex> guard(subscriberLock_);
        subscribers = subscribers_;
    }
    for (const Subscriber& s : subscribers) s.callback(s.context, event, id);
}

}  // namespace storage
}  // namespace orvsim
