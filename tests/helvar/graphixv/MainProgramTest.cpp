// This program exports "GXNewHandle" and neither run-time function.
#include <gtest/gtest.h>

#include "helvar/graphixv/DefaultLanguage.h"
#include "helvar/graphixv/RuntimeFunction.h"

#if defined(_WIN32)
extern "C" __declspec(dllexport) void GXNewHandle() {}
#else
extern "C" __attribute__((visibility("default"))) void GXNewHandle() {}
#endif

namespace {

TEST(MainProgramRuntime, TheMainProgramIsTheRuntimeButWithoutGetLangStrTheLanguageIsEnglish) {
    EXPECT_NE(graphixv::findRuntimeModule(graphixv::runtimeModuleState(), platform::runtimeModules()), nullptr);
    EXPECT_EQ(graphixv::detectDefaultLanguage(), 0);
}

}  // namespace
