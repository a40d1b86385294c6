#include "ErrorStore.h"

namespace simivi {

void ErrorStore::set(ViSession vi, bool overwrite, const PendingError& error) {
    std::lock_guard<std::mutex> guard(mutex_);
    PendingError& pending = errors_[vi];
    if (!overwrite) {
        if (pending.primary < 0) return;
        if (pending.primary > 0 && error.primary >= 0) return;
    }
    pending = error;
}

PendingError ErrorStore::peek(ViSession vi) const {
    std::lock_guard<std::mutex> guard(mutex_);
    auto it = errors_.find(vi);
    return it == errors_.end() ? PendingError() : it->second;
}

PendingError ErrorStore::take(ViSession vi) {
    std::lock_guard<std::mutex> guard(mutex_);
    auto it = errors_.find(vi);
    if (it == errors_.end()) return PendingError();
    PendingError taken = std::move(it->second);
    errors_.erase(it);
    return taken;
}

void ErrorStore::clear(ViSession vi) {
    std::lock_guard<std::mutex> guard(mutex_);
    errors_.erase(vi);
}

void ErrorStore::clearAll() {
    std::lock_guard<std::mutex> guard(mutex_);
    errors_.clear();
}

}  // namespace simivi
