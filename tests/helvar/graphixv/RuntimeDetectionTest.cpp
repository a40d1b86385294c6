// The default language from the stand-in run-times: the first run-time is loaded with this
// program, the second one is loaded by the tests that need it.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <pthread.h>
#endif

#include <cstdlib>
#include <string>

#include "SimGraphicalRuntime.h"
#include "FakeState.h"
#include "helvar/graphixv/DefaultLanguage.h"
#include "support/Portable.h"

namespace {

using testing_graphix::FakeState;

int32_t detect(const FakeState& state) { return graphixv::detectDefaultLanguage(state, platform::runtimeModules()); }

// The system's own loader and thread-local slots, as the host program would use them.
#ifdef _WIN32
void* loadLibrary(const std::string& path) { return ::LoadLibraryA(path.c_str()); }
void* loadedLibrary(const std::string& file) { return ::GetModuleHandleA(file.c_str()); }
void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}
void freeLibrary(void* library) { ::FreeLibrary(static_cast<HMODULE>(library)); }
bool newTlsIndex(uint32_t& index) {
    index = ::TlsAlloc();
    return index != TLS_OUT_OF_INDEXES;
}
bool setTlsValue(uint32_t index, void* value) { return ::TlsSetValue(index, value) != 0; }
void freeTlsIndex(uint32_t index) { ::TlsFree(index); }
#else
void* loadLibrary(const std::string& path) { return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void* loadedLibrary(const std::string& file) { return ::dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD); }
void* librarySymbol(void* library, const char* name) { return ::dlsym(library, name); }
void freeLibrary(void* library) { ::dlclose(library); }
bool newTlsIndex(uint32_t& index) {
    pthread_key_t key{};
    if (::pthread_key_create(&key, nullptr) != 0) return false;
    index = static_cast<uint32_t>(key);
    return true;
}
bool setTlsValue(uint32_t index, void* value) { return ::pthread_setspecific(static_cast<pthread_key_t>(index), value) == 0; }
void freeTlsIndex(uint32_t index) { ::pthread_key_delete(static_cast<pthread_key_t>(index)); }
#endif

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
        const std::string path =
            testsupport::libraryFolder(std::getenv("ORV_OUT")) + "/" + testsupport::libraryFile("gxffrt");
        second_ = loadLibrary(path);
        ASSERT_NE(second_, nullptr) << path;
        auto set = reinterpret_cast<void (*)(const char*)>(librarySymbol(second_, "SimGxrt_SetLanguage"));
        ASSERT_NE(set, nullptr);
        set("German");
        SimGxrt_SetLanguage("Korean");
        ASSERT_TRUE(newTlsIndex(index_));
        haveIndex_ = true;
    }
    void TearDown() override {
        if (haveIndex_) freeTlsIndex(index_);
        SimGxrt_SetLanguage(nullptr);
        if (second_) freeLibrary(second_);
    }
    void* first() { return loadedLibrary(testsupport::libraryFile("gxrt")); }

    void* second_ = nullptr;
    uint32_t index_ = 0;
    bool haveIndex_ = false;
};

TEST_F(SecondRuntime, TheHostsModuleWinsOverTheLoadedOne) {
    FakeState state;
    EXPECT_EQ(detect(state), 4);  // the first run-time, found among the loaded modules
    state.setModule(second_);
    EXPECT_EQ(detect(state), 2);
}

TEST_F(SecondRuntime, AThreadsTlsValueWinsAndANullOneFallsBackToTheStoredModule) {
    FakeState state;
    state.setModule(second_);
    state.setTlsIndex(index_);
    EXPECT_EQ(detect(state), 2);  // this thread's value is null
    void* first = this->first();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(setTlsValue(index_, first));
    EXPECT_EQ(detect(state), 4);
}

}  // namespace
