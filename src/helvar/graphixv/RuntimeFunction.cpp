#include "helvar/graphixv/RuntimeFunction.h"

#include <string>

namespace graphixv {
namespace {

constexpr const char* kMainProgramNames[] = {"gGXRTVersion", "GXNewHandle"};
constexpr const char* kRuntimeLibraries[] = {"gxrt.dll", "gxffrt.dll"};

bool holds(const RuntimeSlot* slot, platform::ModuleHandle module, uint32_t key) {
    return slot && slot->module == module && slot->key == key;
}

}  // namespace

platform::ModuleHandle findRuntimeModule(const RuntimeModuleStateInterface& state,
                                         const platform::RuntimeModulesInterface& modules) {
    const uint32_t index = state.tlsIndex();
    if (index != kNoTlsIndex) {
        if (void* value = modules.threadValue(index)) return value;
    }
    if (void* module = state.module()) return module;
    if (platform::ModuleHandle program = modules.mainProgramExporting(kMainProgramNames, 2)) return program;
    for (const char* library : kRuntimeLibraries) {
        if (platform::ModuleHandle loaded = modules.findLoaded(library)) return loaded;
    }
    return nullptr;
}

RuntimeFunction::~RuntimeFunction() {
    for (std::atomic<const RuntimeSlot*>& slot : slots_) delete slot.load();
    for (const RuntimeSlot* record : retired_) delete record;
}

const RuntimeSlot* RuntimeFunction::publish(std::atomic<const RuntimeSlot*>& slot, const RuntimeSlot* expected,
                                            platform::ModuleHandle module, uint32_t key,
                                            const platform::RuntimeModulesInterface& modules) {
    const RuntimeSlot* record = new RuntimeSlot{module, key, modules.symbol(module, name_)};
    const RuntimeSlot* replaced = expected;
    if (slot.compare_exchange_strong(expected, record)) {
        if (replaced) {
            std::lock_guard<std::mutex> lock(retiredMutex_);
            retired_.push_back(replaced);
        }
        return record;
    }
    delete record;
    return holds(expected, module, key) ? expected : nullptr;
}

void* RuntimeFunction::search(platform::ModuleHandle module, uint32_t key,
                              const platform::RuntimeModulesInterface& modules) {
    for (std::atomic<const RuntimeSlot*>& slot : slots_) {
        const RuntimeSlot* current = slot.load();
        if (holds(current, module, key)) return current->entry;
        // The same key under another handle, or the same handle with another key: rebind.
        if (current && (current->key == key || current->module == module)) {
            if (const RuntimeSlot* bound = publish(slot, current, module, key, modules)) return bound->entry;
            continue;
        }
        if (!current) {
            if (const RuntimeSlot* bound = publish(slot, nullptr, module, key, modules)) return bound->entry;
        }
    }
    return nullptr;
}

void* RuntimeFunction::rebindUnloaded(platform::ModuleHandle module, uint32_t key,
                                      const platform::RuntimeModulesInterface& modules) {
    for (std::atomic<const RuntimeSlot*>& slot : slots_) {
        const RuntimeSlot* current = slot.load();
        if (!current || modules.isLoaded(current->key)) continue;
        if (const RuntimeSlot* bound = publish(slot, current, module, key, modules)) return bound->entry;
    }
    return nullptr;
}

void* RuntimeFunction::tryResolve(const RuntimeModuleStateInterface& state,
                                  const platform::RuntimeModulesInterface& modules) {
    const platform::ModuleHandle module = findRuntimeModule(state, modules);
    if (!module) return nullptr;
    const uint32_t key = modules.moduleKey(module);
    if (void* entry = search(module, key, modules)) return entry;
    if (void* entry = rebindUnloaded(module, key, modules)) return entry;
    return search(module, key, modules);
}

void* RuntimeFunction::resolve(const RuntimeModuleStateInterface& state,
                               const platform::RuntimeModulesInterface& modules) {
    if (!findRuntimeModule(state, modules)) modules.fatal(kFatalCaption, kNotFromRuntimeText);
    if (void* entry = tryResolve(state, modules)) return entry;
    const std::string text = std::string(kNoSlotText) + "\"" + name_ + "\"" + kNoSlotTail;
    modules.fatal(kFatalCaption, text.c_str());
    return nullptr;  // not reached: fatal ends the process
}

}  // namespace graphixv
