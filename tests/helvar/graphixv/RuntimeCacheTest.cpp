// The resolution cache over modules a test makes up: eight slots, rebinding of slots whose module
// was unloaded, the fatal texts, and records published whole across threads.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FakeState.h"
#include "helvar/graphixv/RuntimeFunction.h"

namespace {

using testing_graphix::FakeState;

struct Fatal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Module n is the address n; its entry for any name is the address 1000 + n; its key is 50 + n.
class FakeModules : public platform::RuntimeModulesInterface {
public:
    void* threadValue(uint32_t) const override { return nullptr; }
    platform::ModuleHandle mainProgramExporting(const char* const*, int) const override { return nullptr; }
    platform::ModuleHandle findLoaded(const char*) const override { return nullptr; }
    uint32_t moduleKey(platform::ModuleHandle module) const override {
        return 50u + static_cast<uint32_t>(reinterpret_cast<uintptr_t>(module));
    }
    bool isLoaded(uint32_t key) const override { return unloaded.count(key) == 0; }
    void* symbol(platform::ModuleHandle module, const char*) const override {
        return reinterpret_cast<void*>(1000 + reinterpret_cast<uintptr_t>(module));
    }
    [[noreturn]] void fatal(const char* caption, const char* text) const override {
        throw Fatal(std::string(caption) + ": " + text);
    }
    std::set<uint32_t> unloaded;
};

void* module(uintptr_t n) { return reinterpret_cast<void*>(n); }
uintptr_t entry(void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }

TEST(RuntimeCache, EightModulesFitAndAnUnloadedOnesSlotIsReused) {
    graphixv::RuntimeFunction function("GetLangStr");
    FakeModules modules;
    FakeState state;
    for (uintptr_t n = 1; n <= 8; ++n) {
        state.setModule(module(n));
        EXPECT_EQ(entry(function.resolve(state, modules)), 1000 + n);
    }
    state.setModule(module(9));
    try {
        function.resolve(state, modules);
        FAIL() << "a ninth module found a slot";
    } catch (const Fatal& fatal) {
        EXPECT_STREQ(fatal.what(),
                     "Fatal Error: graphixv.lib was unable to locate a suitable location to resolve \"GetLangStr\". "
                     "This may happen when too many instances of Graphix have been loaded into the same process.");
    }
    EXPECT_EQ(function.tryResolve(state, modules), nullptr);
    modules.unloaded.insert(50 + 3);
    EXPECT_EQ(entry(function.resolve(state, modules)), 1009u);
    // The others keep their slots.
    state.setModule(module(4));
    EXPECT_EQ(entry(function.resolve(state, modules)), 1004u);
}

TEST(RuntimeCache, NoRuntimeModuleIsFatalForACallButNotForTheDetection) {
    graphixv::RuntimeFunction function("PStrCmp");
    FakeModules modules;
    FakeState state;
    EXPECT_EQ(function.tryResolve(state, modules), nullptr);
    EXPECT_THROW(
        {
            try {
                function.resolve(state, modules);
            } catch (const Fatal& fatal) {
                EXPECT_STREQ(fatal.what(), "Fatal Error: graphixv.lib was not called from a Graphix process.");
                throw;
            }
        },
        Fatal);
}

TEST(RuntimeCache, ThreadsNeverSeeAnotherModulesEntry) {
    graphixv::RuntimeFunction function("GetLangStr");
    FakeModules modules;
    std::vector<std::thread> threads;
    std::vector<int> mismatches(8, 0);
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&, t] {
            FakeState state;
            for (int i = 0; i < 2000; ++i) {
                const uintptr_t n = 1 + static_cast<uintptr_t>((t + i) % 8);
                state.setModule(module(n));
                if (entry(function.resolve(state, modules)) != 1000 + n) ++mismatches[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int count : mismatches) EXPECT_EQ(count, 0);
}

}  // namespace
