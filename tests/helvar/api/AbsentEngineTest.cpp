// A process whose library path has no IVI engine at all.
#include <gtest/gtest.h>

#include "Helvar.h"
#include "helvar/miivi/IviEngineBinding.h"

namespace {

TEST(AbsentEngine, EveryExportReportsTheLoadFailure) {
    EXPECT_EQ(Helvar_Initialize(1), HELVAR_ERROR_ENGINE_NOT_LOADED);
    EXPECT_EQ(Helvar_SaveAttributes(1), HELVAR_ERROR_ENGINE_NOT_LOADED);
    ViChar buffer[16];
    EXPECT_EQ(Helvar_ExportAttributeConfigurationBuffer(1, sizeof buffer, buffer), HELVAR_ERROR_ENGINE_NOT_LOADED);
    // Without an engine no session can be found.
    EXPECT_EQ(Helvar_Close(1), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
}

TEST(AbsentEngine, TheBindingStillDescribesTheLoadFailure) {
    miivi::IviEngineBinding& engine = miivi::IviEngineBinding::instance();
    ViChar message[256] = {};
    EXPECT_EQ(engine.Ivi_GetErrorMessage(HELVAR_ERROR_ENGINE_NOT_LOADED, message), VI_SUCCESS);
    EXPECT_STREQ(message, "Unable to load IVI Engine (ivi.dll)");
    EXPECT_EQ(engine.Ivi_GetErrorMessage(-1, message), HELVAR_ERROR_ENGINE_NOT_LOADED);
    EXPECT_EQ(engine.Ivi_SessionIsAvailable(1), VI_FALSE);
    EXPECT_FALSE(engine.isLoaded());
}

}  // namespace
