#pragma once
// Call counters and injected failures or warnings, by function name.
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "SimIvi.h"

namespace simivi {

class InjectionTableInterface {
public:
    virtual ~InjectionTableInterface() = default;
    virtual void add(const std::string& function, ViInt32 mode, ViStatus status, ViAttr attributeId, ViInt32 skipCalls,
                     ViInt32 times) = 0;
    // Counts the call and says what an injection makes of it.
    virtual SimIvi_CallToken begin(const std::string& function, ViAttr attributeId) = 0;
    virtual ViInt32 callCount(const std::string& function) const = 0;
    virtual void resetCounters() = 0;
    virtual void clearInjections() = 0;
};

class InjectionTable : public InjectionTableInterface {
public:
    void add(const std::string& function, ViInt32 mode, ViStatus status, ViAttr attributeId, ViInt32 skipCalls,
             ViInt32 times) override;
    SimIvi_CallToken begin(const std::string& function, ViAttr attributeId) override;
    ViInt32 callCount(const std::string& function) const override;
    void resetCounters() override;
    void clearInjections() override;

private:
    struct Injection {
        std::string function;
        ViInt32 mode;
        ViStatus status;
        ViAttr attributeId;
        ViInt32 skipCalls;
        ViInt32 times;  // -1: unlimited
    };
    mutable std::mutex mutex_;
    std::map<std::string, ViInt32> counts_;
    std::vector<Injection> injections_;
};

// The end of a counted call: an injected warning replaces a successful result.
ViStatus finishCall(const SimIvi_CallToken& token, ViStatus result);

}  // namespace simivi
