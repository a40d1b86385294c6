#include "helvar/miivi/IviEngineBinding.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include "common/orverr/Codes.h"
#include "common/platform/ProcessId.h"

namespace miivi {

namespace {

// One mutex per process, shared with every module of the process that binds the engine this way.
constexpr const char* kMutexNameFormat = "Orvane Quillmere IVI Engine Library %d";
// Tried in this order.
constexpr const char* kEngineLibraries[] = {"orvivi.dll", "ivi.dll"};

std::string mutexName(uint32_t processId) {
    char name[64];
    std::snprintf(name, sizeof name, kMutexNameFormat, static_cast<int>(processId));
    return name;
}

template <class Function>
Function as(void* address) {
    return reinterpret_cast<Function>(address);
}

}  // namespace

IviEngineBinding::IviEngineBinding(platform::DynamicLibraryInterface& libraries,
                                   platform::NamedMutexFactoryInterface& mutexes, uint32_t processId)
    : libraries_(libraries), mutexes_(mutexes), processId_(processId) {}

IviEngineBinding& IviEngineBinding::instance() {
    static IviEngineBinding binding(platform::dynamicLibrary(), platform::namedMutexFactory(),
                                    platform::currentProcessId());
    return binding;
}

ViStatus IviEngineBinding::load() {
    if (isLoaded()) return VI_SUCCESS;
    std::lock_guard<std::mutex> moduleLock(moduleMutex_);
    // The engine's load failure has no room for the system's reason.
    platform::OsError error;
    std::unique_ptr<platform::NamedMutexInterface> mutex = mutexes_.open(mutexName(processId_), error);
    if (!mutex) return orverr::engine::kLoadFailed;
    if (!mutex->lock(error)) return orverr::engine::kLoadFailed;
    const ViStatus status = isLoaded() ? VI_SUCCESS : loadUnderMutex();
    mutex->unlock();
    return status;
}

ViStatus IviEngineBinding::loadUnderMutex() {
    platform::OsError error;
    for (const char* name : kEngineLibraries) {
        library_ = libraries_.load(name, error);
        if (library_) break;
    }
    if (!library_) return orverr::engine::kLoadFailed;

    for (std::size_t i = 0; i < kEngineFunctionCount; ++i) {
        entries_[i] = libraries_.symbol(library_, kEngineFunctions[i].name, error);
        if (!entries_[i] && kEngineFunctions[i].required) {
            libraries_.unload(library_);
            library_ = nullptr;
            std::memset(entries_, 0, sizeof entries_);
            return orverr::engine::kFunctionMissing;
        }
    }
    loaded_.store(true, std::memory_order_release);
    return VI_SUCCESS;
}

void* IviEngineBinding::entry(EngineFunction function) const {
    return isLoaded() ? entries_[static_cast<std::size_t>(function)] : nullptr;
}

template <class Function, EngineFunction function, class... Args>
ViStatus IviEngineBinding::forwardStatus(Args... args) {
    const ViStatus status = load();
    if (status < 0) return status;
    void* address = entries_[static_cast<std::size_t>(function)];
    if (!address) return orverr::engine::kFunctionMissing;  // only optional ones can be absent
    return as<Function>(address)(args...);
}

template <class Function, EngineFunction function, int whenMissing, class... Args>
auto IviEngineBinding::forwardValue(Args... args) {
    using Result = decltype(std::declval<Function>()(args...));
    if (load() < 0) return Result{};
    void* address = entries_[static_cast<std::size_t>(function)];
    if (!address) return static_cast<Result>(whenMissing);
    return as<Function>(address)(args...);
}

// The forwarders of the engine table, but for the ones written by hand below.
#define MIIVI_FORWARDER(result, name, form, parameters, arguments, ...)        \
    result IviEngineBinding::name MIIVI_ENGINE_PARAMETERS(form, parameters) { \
        return __VA_ARGS__ MIIVI_ENGINE_ARGUMENTS(form, vi, arguments);       \
    }
#define MIIVI_FORWARDER_RAISING(result, name, form, parameters, arguments) \
    MIIVI_FORWARDER(result, name, form, parameters, arguments, forwardStatus<api::name, EngineFunction::name>)
#define MIIVI_FORWARDER_SIZING MIIVI_FORWARDER_RAISING
#define MIIVI_FORWARDER_QUERY(result, name, form, parameters, arguments) \
    MIIVI_FORWARDER(result, name, form, parameters, arguments, forwardValue<api::name, EngineFunction::name, 0>)
#define MIIVI_FORWARDER_UNWRAPPED_QUERY MIIVI_FORWARDER_QUERY
#define MIIVI_FORWARDER_AVAILABILITY(result, name, form, parameters, arguments) \
    MIIVI_FORWARDER(result, name, form, parameters, arguments,                  \
                    forwardValue<api::name, EngineFunction::name, VI_TRUE>)
#define MIIVI_FORWARDER_RAISING_CUSTOM(result, name, form, parameters, arguments)
#define MIIVI_FORWARDER_UNWRAPPED_CUSTOM(result, name, form, parameters, arguments)
#define IVI_CALL(result, name, form, use, parameters, arguments) \
    MIIVI_FORWARDER_##use(result, name, form, parameters, arguments)
#include "helvar/miivi/IviEngineNames.def"

ViStatus IviEngineBinding::Ivi_GetErrorMessage(ViStatus code, ViChar message[256]) {
    const ViStatus status = load();
    if (status < 0) {
        if (code != orverr::engine::kLoadFailed) return status;
        if (message) {
            std::strncpy(message, orverr::engine::kLoadFailedMessage, 255);
            message[255] = '\0';
        }
        return VI_SUCCESS;
    }
    return forwardStatus<api::Ivi_GetErrorMessage, EngineFunction::Ivi_GetErrorMessage>(code, message);
}

// The load failure's status while not loadable.
ViSession IviEngineBinding::Ivi_SpecificDriverSession(ViSession vi) {
    const ViStatus status = load();
    if (status < 0) return static_cast<ViSession>(status);
    return forwardValue<api::Ivi_SpecificDriverSession, EngineFunction::Ivi_SpecificDriverSession, 0>(vi);
}

}  // namespace miivi
