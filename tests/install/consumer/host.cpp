// Finds the plug-in's factory as the explorer does, through the installed headers.
#include <dlfcn.h>
#include <cstdio>

#include "explorer/QuorrelExports.h"

int main() {
    void* plugin = dlopen(PLUGIN, RTLD_NOW);
    if (!plugin) {
        std::printf("%s\n", dlerror());
        return 1;
    }
    bool found = dlsym(plugin, "createDigiscanSysApiExpert") != nullptr;
    std::printf("createDigiscanSysApiExpert %s\n", found ? "found" : "missing");
    return found ? 0 : 1;
}
