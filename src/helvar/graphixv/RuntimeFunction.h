#pragma once
// Functions of the graphical run-time called without linking against it: each is looked up by
// name in whichever run-time module the process holds, and the result kept in a small cache of
// eight slots per function. A slot is one immutable record published by a single atomic
// pointer, so a reader never pairs one module with another module's entry pointer.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "common/platform/RuntimeModules.h"
#include "helvar/graphixv/RuntimeModule.h"

namespace graphixv {

struct RuntimeSlot {
    platform::ModuleHandle module;
    uint32_t key;
    void* entry;
};

class RuntimeFunction {
public:
    static constexpr int kSlots = 8;

    explicit RuntimeFunction(const char* name) : name_(name) {}
    // Frees the records; no resolution may run any more.
    ~RuntimeFunction();
    RuntimeFunction(const RuntimeFunction&) = delete;
    RuntimeFunction& operator=(const RuntimeFunction&) = delete;

    // The entry in the current run-time module; ends the process (with the run-time's fatal
    // texts) when there is no run-time module or no free slot.
    void* resolve(const RuntimeModuleStateInterface& state, const platform::RuntimeModulesInterface& modules);
    // The same, but null instead of ending the process (also when the module lacks the name).
    void* tryResolve(const RuntimeModuleStateInterface& state, const platform::RuntimeModulesInterface& modules);

    const char* name() const { return name_; }

private:
    void* search(platform::ModuleHandle module, uint32_t key, const platform::RuntimeModulesInterface& modules);
    void* rebindUnloaded(platform::ModuleHandle module, uint32_t key, const platform::RuntimeModulesInterface& modules);
    const RuntimeSlot* publish(std::atomic<const RuntimeSlot*>& slot, const RuntimeSlot* expected,
                               platform::ModuleHandle module, uint32_t key,
                               const platform::RuntimeModulesInterface& modules);

    std::atomic<const RuntimeSlot*> slots_[kSlots] = {};
    // Replaced records stay valid for readers that still hold them, until the function goes.
    std::mutex retiredMutex_;
    std::vector<const RuntimeSlot*> retired_;
    const char* name_;
};

// The run-time module: the calling thread's TLS value, the module a host set, the main program
// when it exports "gGXRTVersion" or "GXNewHandle", an already loaded "gxrt.dll" or "gxffrt.dll".
platform::ModuleHandle findRuntimeModule(const RuntimeModuleStateInterface& state,
                                         const platform::RuntimeModulesInterface& modules);

inline constexpr const char* kFatalCaption = "Fatal Error";
inline constexpr const char* kNotFromRuntimeText = "graphixv.lib was not called from a Graphix process.";
inline constexpr const char* kNoSlotText = "graphixv.lib was unable to locate a suitable location to resolve ";
inline constexpr const char* kNoSlotTail =
    ". This may happen when too many instances of Graphix have been loaded into the same process.";

}  // namespace graphixv
