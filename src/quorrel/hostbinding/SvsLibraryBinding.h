#pragma once
// The explorer's libraries, found through the registry and loaded at run time, once per process
// and never unloaded. Only the configuration entry point is used; the others are kept.
#include <cstdint>
#include <mutex>
#include <string>

#include "common/platform/DynamicLibrary.h"
#include "common/platform/Registry.h"
#include "explorer/SvsApi.h"

namespace hostbinding {

// Registry values of the explorer's installation, as wide text and as narrow text.
struct SvsRegistryValue {
    std::wstring wide;
    std::string ansi;
};

struct SvsRegistryValues {
    SvsRegistryValue currentSvsPath, currentSvsVersion, selfRegisteredSvsPath, selfRegisteredSvsVersion;
    SvsRegistryValue currentPath, currentVersion, command, selfRegisteredPath, selfRegisteredVersion,
        selfRegisteredCommand;
};

class SvsLibraryBinding final {
public:
    SvsLibraryBinding(const platform::Registry& registry, platform::DynamicLibraryInterface& libraries)
        : registry_(registry), libraries_(libraries) {}

    // Binds on the first call; later calls only count.
    void bind();
    // A new configuration object, or null with *result a failure HRESULT.
    IsvsConfiguration* getConfiguration(ULONG flags, void* reserved, HRESULT* result);
    // Why binding gave no configuration entry point (the key, the view and the path tried);
    // empty when it did or was not attempted.
    std::string failure();

    // What the registry said (read on the first bind).
    SvsRegistryValues registryValues();
    uint32_t useCount();

private:
    void readRegistry();
    void bindLocked();

    const platform::Registry& registry_;
    platform::DynamicLibraryInterface& libraries_;
    std::mutex lock_;
    SvsRegistryValues values_;
    // Where the library folder came from (value name and view), and why binding failed.
    std::string folderValue_;
    std::string folderView_;
    std::string failure_;
    bool registryRead_ = false;
    bool bindAttempted_ = false;
    bool bindDisabled_ = false;
    platform::LibraryHandle svs_ = nullptr;
    platform::LibraryHandle svsutils_ = nullptr;
    svsGetConfiguration_t svsGetConfiguration_ = nullptr;
    svsGetConfigurationEx_t svsGetConfigurationEx_ = nullptr;
    svsInitialize_t svsInitialize_ = nullptr;
    svsFinalize_t svsFinalize_ = nullptr;
    svsU32ToString_t svsU32ToString_ = nullptr;
    svsGuidFromString_t svsGuidFromString_ = nullptr;
    svsGuidToString_t svsGuidToString_ = nullptr;
    svsFree_t svsFree_ = nullptr;
    uint32_t useCount_ = 0;
};

// The process's binding, over the process's registry and library loader.
SvsLibraryBinding& svsLibraryBinding();

}  // namespace hostbinding
