// The wrapper of the engine's functions against the simulated engine and driver.
#include <gtest/gtest.h>

#include "IviEngine.h"
#include "common/orverr/JsonReader.h"
#include "helvar/miivi/IviWrapper.h"
#include "support/SimSession.h"

namespace {

using Core = spine_test::SimSessionTest;
using spine_test::pendingError;

TEST_F(Core, WrapperRaisesEngineErrorsUnderOurTranslator) {
    miivi::IviWrapper wrapper(session.vi());
    ViInt32 value = 0;
    auto [code, document] = raised([&] { wrapper.Ivi_GetAttributeViInt32("", 4242, 0, &value); });
    EXPECT_LT(code, 0);
    EXPECT_EQ(orverr::readStringMember(document.c_str(), "error_constant").value_or(""), "error");
    EXPECT_EQ(orverr::readStringMember(document.c_str(), "component").value_or(""), "Helvar");
    EXPECT_EQ(orverr::readStringMember(document.c_str(), "translator").value_or(""), "mxlator_Digiscan");
    EXPECT_EQ(pendingError(session.vi()).primary, 0);  // errors are raised, not recorded
    // Ignoring errors hands the status back untouched.
    EXPECT_EQ(wrapper.Ivi_GetAttributeViInt32("", 4242, 0, &value, true), code);
}

TEST_F(Core, WrapperRecordsWarningsAndReturnsThem) {
    miivi::IviWrapper wrapper(session.vi());
    SimIvi_InjectWarning("Ivi_GetAttributeViInt32", 1, 0, 1);
    ViInt32 model = 0;
    EXPECT_EQ(wrapper.Ivi_GetAttributeViInt32("", DIGISCAN_ATTR_MODEL_NUMBER, 0, &model), 1);
    EXPECT_EQ(model, DIGISCAN_DEFAULT_MODEL);
    EXPECT_EQ(pendingError(session.vi()).primary, 1);
}

TEST_F(Core, WrapperPassesNeededSizesOfStringReadsWithoutRecording) {
    miivi::IviWrapper wrapper(session.vi());
    ViChar small[4] = {};
    const ViStatus needed = wrapper.Ivi_GetAttributeName(DIGISCAN_ATTR_MODEL_NUMBER, sizeof small, small);
    EXPECT_GT(needed, 4);
    EXPECT_EQ(pendingError(session.vi()).primary, 0);
    EXPECT_EQ(wrapper.Ivi_SessionIsAvailable(), VI_TRUE);
    EXPECT_EQ(miivi::IviWrapper(987654).Ivi_SessionIsAvailable(), VI_FALSE);
}

}  // namespace
