#include "common/platform/RuntimeModules.h"

#include <dlfcn.h>
#include <link.h>
#include <pthread.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/platform/DynamicLibrary.h"

namespace platform {
namespace posix {
namespace {

uint32_t keyOf(const char* name, uintptr_t base) {
    // FNV-1a over the path and the load address.
    uint32_t hash = 2166136261u;
    auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 16777619u;
    };
    for (const char* p = name ? name : ""; *p; ++p) mix(static_cast<unsigned char>(*p));
    for (unsigned i = 0; i < sizeof base; ++i) mix(static_cast<unsigned char>(base >> (8 * i)));
    return hash == 0 ? 1u : hash;
}

struct KeySearch {
    uint32_t key;
    bool found;
};

int matchKey(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<KeySearch*>(data);
    if (keyOf(info->dlpi_name, info->dlpi_addr) == search->key) {
        search->found = true;
        return 1;
    }
    return 0;
}

struct MainProgram {
    uintptr_t base = 0;
    const ElfW(Phdr)* headers = nullptr;
    ElfW(Half) count = 0;
};

int firstObject(dl_phdr_info* info, size_t, void* data) {
    auto* main = static_cast<MainProgram*>(data);
    main->base = info->dlpi_addr;
    main->headers = info->dlpi_phdr;
    main->count = info->dlpi_phnum;
    return 1;  // the main program comes first
}

bool inMainProgram(const void* address) {
    MainProgram main;
    ::dl_iterate_phdr(&firstObject, &main);
    const uintptr_t at = reinterpret_cast<uintptr_t>(address);
    for (ElfW(Half) i = 0; i < main.count; ++i) {
        const ElfW(Phdr)& header = main.headers[i];
        if (header.p_type != PT_LOAD) continue;
        const uintptr_t start = main.base + header.p_vaddr;
        if (at >= start && at < start + header.p_memsz) return true;
    }
    return false;
}

class PosixRuntimeModules : public RuntimeModulesInterface {
public:
    void* threadValue(uint32_t index) const override {
        return ::pthread_getspecific(static_cast<pthread_key_t>(index));
    }

    ModuleHandle mainProgramExporting(const char* const* names, int count) const override {
        void* program = ::dlopen(nullptr, RTLD_NOW);
        if (!program) return nullptr;
        for (int i = 0; i < count; ++i) {
            // The first definition in the global scope is the main program's, when it has one.
            void* address = ::dlsym(RTLD_DEFAULT, names[i]);
            if (address && inMainProgram(address)) return program;
        }
        ::dlclose(program);
        return nullptr;
    }

    ModuleHandle findLoaded(const char* windowsName) const override {
        return dynamicLibrary().findLoaded(windowsName);
    }

    uint32_t moduleKey(ModuleHandle module) const override {
        link_map* map = nullptr;
        if (!module || ::dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map) return keyOf("", 0);
        return keyOf(map->l_name, map->l_addr);
    }

    bool isLoaded(uint32_t key) const override {
        KeySearch search{key, false};
        ::dl_iterate_phdr(&matchKey, &search);
        return search.found;
    }

    void* symbol(ModuleHandle module, const char* name) const override {
        return module ? ::dlsym(module, name) : nullptr;
    }

    void fatal(const char* caption, const char* text) const override {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
        std::exit(1);
    }
};

}  // namespace
}  // namespace posix

const RuntimeModulesInterface& runtimeModules() {
    static posix::PosixRuntimeModules instance;
    return instance;
}

}  // namespace platform
