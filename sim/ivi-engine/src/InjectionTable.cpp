#include "InjectionTable.h"

#include <algorithm>

namespace simivi {

void InjectionTable::add(const std::string& function, ViInt32 mode, ViStatus status, ViAttr attributeId,
                         ViInt32 skipCalls, ViInt32 times) {
    std::lock_guard<std::mutex> guard(mutex_);
    injections_.push_back(Injection{function, mode, status, attributeId, skipCalls, times});
}

SimIvi_CallToken InjectionTable::begin(std::string_view function, ViAttr attributeId) {
    if (!bookkeeping_.load(std::memory_order_relaxed)) return SimIvi_CallToken{0, 0};
    std::lock_guard<std::mutex> guard(mutex_);
    auto counted = counts_.find(function);
    if (counted == counts_.end()) counted = counts_.emplace(names_.emplace_back(function), 0).first;
    ++counted->second;
    SimIvi_CallToken token{0, 0};
    if (injections_.empty()) return token;
    for (Injection& injection : injections_) {
        if (injection.function != function || injection.times == 0) continue;
        if (injection.attributeId != 0 && injection.attributeId != attributeId) continue;
        if (injection.skipCalls > 0) {
            --injection.skipCalls;
            continue;
        }
        // One injection acts on a call; the others keep theirs for later calls.
        if (token.action != 0) continue;
        if (injection.times > 0) --injection.times;
        token = SimIvi_CallToken{injection.mode, injection.status};
    }
    injections_.erase(std::remove_if(injections_.begin(), injections_.end(),
                                     [](const Injection& injection) { return injection.times == 0; }),
                      injections_.end());
    return token;
}

ViInt32 InjectionTable::callCount(std::string_view function) const {
    std::lock_guard<std::mutex> guard(mutex_);
    auto it = counts_.find(function);
    return it == counts_.end() ? 0 : it->second;
}

void InjectionTable::resetCounters() {
    std::lock_guard<std::mutex> guard(mutex_);
    counts_.clear();
    names_.clear();
}

void InjectionTable::clearInjections() {
    std::lock_guard<std::mutex> guard(mutex_);
    injections_.clear();
}

void InjectionTable::setBookkeeping(bool on) { bookkeeping_.store(on, std::memory_order_relaxed); }

ViStatus finishCall(const SimIvi_CallToken& token, ViStatus result) {
    if (token.action == SIMIVI_INJECT_WARN && result == VI_SUCCESS) return token.status;
    return result;
}

}  // namespace simivi
