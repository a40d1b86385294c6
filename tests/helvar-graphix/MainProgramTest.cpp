// This program exports "GXNewHandle" and neither run-time function.
#include <gtest/gtest.h>

#include "helvar/graphixv/DefaultLanguage.h"
#include "helvar/graphixv/RuntimeFunction.h"

extern "C" __attribute__((visibility("default"))) void GXNewHandle() {}

namespace {

TEST(MainProgramRuntime, TheMainProgramIsTheRuntimeButWithoutGetLangStrTheLanguageIsEnglish) {
    EXPECT_NE(graphixv::findRuntimeModule(graphixv::runtimeModuleState(), platform::runtimeModules()), nullptr);
    EXPECT_EQ(graphixv::detectDefaultLanguage(), 0);
}

}  // namespace
