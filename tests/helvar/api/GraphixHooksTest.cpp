#include <gtest/gtest.h>

#include <thread>

#include "Helvar.h"
#include "helvar/graphixv/RuntimeModule.h"

// The four run-time hook exports link and can be called in any order from any thread.
TEST(GraphixHooks, ExportsAreCallable) {
    int runtime = 0;
    std::thread other([&] {
        SetGXRTTLSIndex(7);
        SetGXRTTLSIndexHook();
    });
    SetGXRTModule(&runtime);
    SetGXRTModuleHook();
    other.join();
    SetGXRTModule(nullptr);
    SetGXRTTLSIndex(graphixv::kNoTlsIndex);
}

TEST(GraphixHooks, StateStartsEmptyAndKeepsTheLastValues) {
    auto& state = graphixv::runtimeModuleState();
    EXPECT_EQ(state.module(), nullptr);
    EXPECT_EQ(state.tlsIndex(), graphixv::kNoTlsIndex);
    int runtime = 0;
    state.setModule(&runtime);
    state.setTlsIndex(3);
    EXPECT_EQ(state.module(), &runtime);
    EXPECT_EQ(state.tlsIndex(), 3u);
    state.setModule(nullptr);
    state.setTlsIndex(graphixv::kNoTlsIndex);
}
