// The names the stand-in does not implement. This file declares the engine's names without
// parameters, so it must not see the engine's prototypes.
#include <gtest/gtest.h>

#include "IviTypes.h"

#define IVI_REQUIRED(name) extern "C" ViStatus name();
#define IVI_OPTIONAL(name) extern "C" ViStatus name();
#include "IviEngineExports.def"
#undef IVI_REQUIRED
#undef IVI_OPTIONAL

extern "C" void SimIvi_Reset(void);

TEST(EngineExports, UnimplementedNamesAnswerNotSupported) {
    SimIvi_Reset();
    EXPECT_EQ(IVI_ERROR_FUNCTION_NOT_SUPPORTED, Ivi_GetSimulationSession());
    EXPECT_EQ(IVI_ERROR_FUNCTION_NOT_SUPPORTED, IviScope_InterchangeCheck());
    EXPECT_EQ(IVI_ERROR_FUNCTION_NOT_SUPPORTED, Ivi_RangeTableNew());
}
