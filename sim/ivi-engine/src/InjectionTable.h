#pragma once
// Call counters and injected failures or warnings, by function name.
#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "SimIvi.h"

namespace simivi {

class InjectionTableInterface {
public:
    virtual ~InjectionTableInterface() = default;
    virtual void add(const std::string& function, ViInt32 mode, ViStatus status, ViAttr attributeId, ViInt32 skipCalls,
                     ViInt32 times) = 0;
    // Counts the call and says what an injection makes of it.
    virtual SimIvi_CallToken begin(std::string_view function, ViAttr attributeId) = 0;
    virtual ViInt32 callCount(std::string_view function) const = 0;
    virtual void resetCounters() = 0;
    virtual void clearInjections() = 0;
    // Off: calls are neither counted nor matched against injections (benchmarks time the library,
    // not the stand-in's books).
    virtual void setBookkeeping(bool on) = 0;
};

class InjectionTable : public InjectionTableInterface {
public:
    void add(const std::string& function, ViInt32 mode, ViStatus status, ViAttr attributeId, ViInt32 skipCalls,
             ViInt32 times) override;
    SimIvi_CallToken begin(std::string_view function, ViAttr attributeId) override;
    ViInt32 callCount(std::string_view function) const override;
    void resetCounters() override;
    void clearInjections() override;
    void setBookkeeping(bool on) override;

private:
    struct Injection {
        std::string function;
        ViInt32 mode;
        ViStatus status;
        ViAttr attributeId;
        ViInt32 skipCalls;
        ViInt32 times;  // -1: unlimited
    };
    std::atomic<bool> bookkeeping_{true};
    mutable std::mutex mutex_;
    // Every engine call is counted: hashed, and without a string made per call. The keys view
    // names_, whose elements never move.
    std::unordered_map<std::string_view, ViInt32> counts_;
    std::deque<std::string> names_;
    std::vector<Injection> injections_;
};

// The end of a counted call: an injected warning replaces a successful result.
ViStatus finishCall(const SimIvi_CallToken& token, ViStatus result);

}  // namespace simivi
