#pragma once
// The IVI engine library, loaded on first use and never unloaded. Every forwarder first makes
// sure the engine is loaded; a failed load turns into the status every forwarder returns (the
// value-returning ones return their documented defaults instead).
#include <atomic>
#include <cstdint>
#include <mutex>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/NamedMutex.h"
#include "helvar/miivi/IviEngineApi.h"
#include "helvar/miivi/IviEngineFunctions.h"

namespace miivi {

class IviEngineBinding {
public:
    IviEngineBinding(platform::DynamicLibraryInterface& libraries, platform::NamedMutexFactoryInterface& mutexes,
                     uint32_t processId);
    IviEngineBinding(const IviEngineBinding&) = delete;
    IviEngineBinding& operator=(const IviEngineBinding&) = delete;

    // The process's binding (the real library loader, this process's named mutex).
    static IviEngineBinding& instance();

    // 0 when the engine is (now) loaded, else the load failure's status. Safe from any thread.
    ViStatus load();
    bool isLoaded() const { return loaded_.load(std::memory_order_acquire); }
    // Null when not loaded or when the engine lacks the function.
    void* entry(EngineFunction function) const;

    // One forwarder per function of the engine table, with the engine's own parameters; see the
    // table for what each answers while the engine cannot be loaded.
#define IVI_CALL(result, name, form, use, parameters, arguments) \
    result name MIIVI_ENGINE_PARAMETERS(form, parameters);
#include "helvar/miivi/IviEngineNames.def"

private:
    // The load failure while not loadable, kFunctionMissing while the engine lacks the function.
    template <class Function, EngineFunction function, class... Args>
    ViStatus forwardStatus(Args... args);
    // 0 while not loadable, whenMissing while the engine lacks the function.
    template <class Function, EngineFunction function, int whenMissing, class... Args>
    auto forwardValue(Args... args);

    ViStatus loadUnderMutex();

    platform::DynamicLibraryInterface& libraries_;
    platform::NamedMutexFactoryInterface& mutexes_;
    uint32_t processId_;
    // Orders this module's threads in the language's own terms; the named mutex orders modules.
    std::mutex moduleMutex_;
    std::atomic<bool> loaded_{false};
    platform::LibraryHandle library_ = nullptr;
    void* entries_[kEngineFunctionCount] = {};
};

}  // namespace miivi
