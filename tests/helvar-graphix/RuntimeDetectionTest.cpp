// The default language from the stand-in run-times: libgxrt.so is loaded with this program,
// libgxffrt.so is loaded by the tests that need a second run-time.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <cstdlib>
#include <string>

#include "SimGraphicalRuntime.h"
#include "helvar-graphix/FakeState.h"
#include "helvar/graphixv/DefaultLanguage.h"

namespace {

using testing_graphix::FakeState;

int32_t detect(const FakeState& state) { return graphixv::detectDefaultLanguage(state, platform::runtimeModules()); }

TEST(RuntimeDetection, TheLoadedRuntimesLanguageNamesTheDefault) {
    const struct {
        const char* name;
        int32_t language;
    } cases[] = {{"French", 1}, {"German", 2}, {"Japanese", 3}, {"Korean", 4}, {"ChineseS", 5},
                 {"English", 0}, {"Japanese2", 0}, {"japanese", 0}, {"", 0}};
    FakeState state;
    for (const auto& c : cases) {
        SimGxrt_SetLanguage(c.name);
        EXPECT_EQ(detect(state), c.language) << c.name;
    }
    SimGxrt_SetLanguage(nullptr);
}

class SecondRuntime : public testing::Test {
protected:
    void SetUp() override {
        const std::string path = std::string(std::getenv("ORV_OUT")) + "/lib/libgxffrt.so";
        second_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(second_, nullptr) << ::dlerror();
        auto set = reinterpret_cast<void (*)(const char*)>(::dlsym(second_, "SimGxrt_SetLanguage"));
        ASSERT_NE(set, nullptr);
        set("German");
        SimGxrt_SetLanguage("Korean");
        ASSERT_EQ(::pthread_key_create(&key_, nullptr), 0);
    }
    void TearDown() override {
        ::pthread_key_delete(key_);
        SimGxrt_SetLanguage(nullptr);
        if (second_) ::dlclose(second_);
    }
    void* first() { return ::dlopen("libgxrt.so", RTLD_NOW | RTLD_NOLOAD); }

    void* second_ = nullptr;
    pthread_key_t key_{};
};

TEST_F(SecondRuntime, TheHostsModuleWinsOverTheLoadedOne) {
    FakeState state;
    EXPECT_EQ(detect(state), 4);  // libgxrt.so, found among the loaded objects
    state.setModule(second_);
    EXPECT_EQ(detect(state), 2);
}

TEST_F(SecondRuntime, AThreadsTlsValueWinsAndANullOneFallsBackToTheStoredModule) {
    FakeState state;
    state.setModule(second_);
    state.setTlsIndex(static_cast<uint32_t>(key_));
    EXPECT_EQ(detect(state), 2);  // this thread's value is null
    ASSERT_EQ(::pthread_setspecific(key_, first()), 0);
    EXPECT_EQ(detect(state), 4);
}

}  // namespace
