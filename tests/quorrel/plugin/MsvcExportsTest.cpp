// The version exports under their MSVC names, called as an MSVC-built explorer calls them: C
// function types of the Windows x64 convention with MSVC's hidden result pointer.
#if defined(_WIN32)
#include <gtest/gtest.h>

#include <cstdint>

#include "common/platform/DynamicLibrary.h"
#include "explorer/QuorrelExports.h"

namespace {

// tSSVersion as MSVC lays it out: its one 32-bit member.
struct MsvcVersion {
    uint32_t value;
};
// The caller's storage in RCX, the status reference in RDX; the storage comes back in RAX.
using MsvcGetVersion = MsvcVersion* (*)(MsvcVersion* result, int32_t* status);
using MsvcCompareVersion = void (*)(const MsvcVersion* newest, const MsvcVersion* oldest, int32_t* status,
                                    const char* component);

void* pluginExport(const char* name) {
    platform::DynamicLibraryInterface& libraries = platform::dynamicLibrary();
    platform::LibraryHandle plugin = libraries.findLoaded("Quorrel.dll");
    EXPECT_NE(plugin, nullptr);
    platform::OsError error;
    void* address = libraries.symbol(plugin, name, error);
    libraries.unload(plugin);
    EXPECT_NE(address, nullptr) << name << ": " << error.message;
    return address;
}

TEST(PluginMsvcExports, VersionGettersFillTheCallersStorageAndReturnIt) {
    const char* names[] = {QUORREL_MSVC_EXPORT_GET_CURRENT_VERSION, QUORREL_MSVC_EXPORT_GET_OLDEST_COMPATIBLE_VERSION};
    for (const char* name : names) {
        auto get = reinterpret_cast<MsvcGetVersion>(pluginExport(name));
        ASSERT_NE(get, nullptr);
        MsvcVersion result{0xDEADBEEFu};
        int32_t status = -7;
        EXPECT_EQ(get(&result, &status), &result) << name;
        EXPECT_EQ(result.value, 0x1210C000u) << name;
        EXPECT_EQ(status, -7) << name;  // neither read nor written
    }
}

TEST(PluginMsvcExports, CompareVersionTakesItsReferencesAsPointers) {
    auto compare = reinterpret_cast<MsvcCompareVersion>(pluginExport(QUORREL_MSVC_EXPORT_COMPARE_VERSION));
    ASSERT_NE(compare, nullptr);
    struct Case {
        uint32_t newest;
        uint32_t oldest;
        int32_t statusBefore;
        int32_t statusAfter;
    };
    const Case cases[] = {
        {0x1210C000u, 0x12000000u, 0, 0},
        {0x12000000u, 0x1210C000u, 0, kQuorrelVersionRangeInverted},
        {0x12000000u, 0x11000000u, 0, kQuorrelVersionTooOld},
        {0x13000000u, 0x13000000u, 0, kQuorrelVersionTooNew},
        {0x12000000u, 0x11000000u, -3, -3},  // an error already there stays
    };
    for (const Case& c : cases) {
        const MsvcVersion newest{c.newest};
        const MsvcVersion oldest{c.oldest};
        int32_t status = c.statusBefore;
        compare(&newest, &oldest, &status, "msvc host");
        EXPECT_EQ(status, c.statusAfter) << std::hex << c.newest << " " << c.oldest;
    }
}

}  // namespace
#endif
