#include <gtest/gtest.h>

#include <string>

#include "Digiscan.h"
#include "SimIvi.h"

namespace {

class DigiscanTest : public ::testing::Test {
protected:
    void SetUp() override {
        SimIvi_Reset();
        ASSERT_EQ(VI_SUCCESS, Digiscan_InitWithOptions("PXI1Slot2", VI_FALSE, VI_FALSE,
                                                       "Simulate=1,DriverSetup=Model:5124;Language:2", &vi_));
    }
    void TearDown() override { SimIvi_Reset(); }

    ViReal64 desiredReal(ViConstString channel, ViAttr id, ViInt32 options = 1) {
        ViReal64 value = -1;
        EXPECT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViReal64(vi_, channel, id, options, &value));
        return value;
    }

    ViSession vi_ = VI_NULL;
};

TEST_F(DigiscanTest, SessionCarriesModelLanguageAndSettings) {
    ViInt32 value = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", DIGISCAN_ATTR_MODEL_NUMBER, 0, &value));
    EXPECT_EQ(5124, value);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", DIGISCAN_ATTR_LANGUAGE, 0, &value));
    EXPECT_EQ(2, value);
    ViBoolean simulate = VI_FALSE;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViBoolean(vi_, "", IVI_ATTR_SIMULATE, 0, &simulate));
    EXPECT_EQ(VI_TRUE, simulate);
    char setup[256];
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViString(vi_, "", IVI_ATTR_DRIVER_SETUP, 0, sizeof setup, setup));
    EXPECT_STREQ("Model:5124;Language:2", setup);

    ViConstString repCap = nullptr;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeRepCapName(vi_, DIGISCAN_ATTR_VERTICAL_RANGE, &repCap));
    EXPECT_STREQ(DIGISCAN_REPCAP_CHANNEL, repCap);
    ViConstString name = nullptr;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthRepCapName(vi_, repCap, 2, &name));
    EXPECT_STREQ("1", name);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthRepCapName(vi_, repCap, 3, &name));
    EXPECT_EQ(nullptr, name);
    // The model number belongs to the instrument.
    EXPECT_EQ(IVI_ERROR_ATTR_NOT_WRITABLE, Digiscan_SetAttributeViInt32(vi_, "", DIGISCAN_ATTR_MODEL_NUMBER, 1));
}

TEST_F(DigiscanTest, DriverSetupCanOmitAttributesAndChooseChannels) {
    ViSession other = VI_NULL;
    ASSERT_EQ(VI_SUCCESS, Digiscan_InitWithOptions("", VI_FALSE, VI_FALSE,
                                                   "DriverSetup=Omit:1199999;Omit:1100105;Channels:4", &other));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeIsAvailable(other, DIGISCAN_ATTR_LANGUAGE));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeIsAvailable(other, DIGISCAN_ATTR_MODEL_NUMBER));
    ViInt32 value = 0;
    EXPECT_GT(0, Ivi_GetAttributeViInt32(other, "", DIGISCAN_ATTR_LANGUAGE, 0, &value));
    EXPECT_EQ(VI_SUCCESS, Ivi_ValidateAttrForRepCapName(other, "3", DIGISCAN_ATTR_VERTICAL_OFFSET));
    EXPECT_EQ(VI_SUCCESS, Digiscan_close(other));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Digiscan_close(other));

    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Digiscan_InitWithOptions("", VI_FALSE, VI_FALSE, "DriverSetup=Channels:0", &other));
    EXPECT_EQ(VI_NULL, other);
    EXPECT_EQ(1, SimIvi_SessionCount());
}

TEST_F(DigiscanTest, InstrumentCoercesWhileTheDesiredValueIsKept) {
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi_, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 0.3));
    ViReal64 actual = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViReal64(vi_, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 0, &actual));
    EXPECT_EQ(1.0, actual);
    EXPECT_EQ(0.3, desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(1.0, desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE, 0));
    EXPECT_EQ(VI_TRUE, Ivi_AttributeWasSetByUser(vi_, "1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeWasSetByUser(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE));
    // Never requested: the desired value is the actual one.
    EXPECT_EQ(1.0, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE));

    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi_, "", DIGISCAN_ATTR_SAMPLE_RATE, 3e8));
    EXPECT_DOUBLE_EQ(1e9 / 3, desiredReal("", DIGISCAN_ATTR_SAMPLE_RATE, 0));
    EXPECT_EQ(3e8, desiredReal("", DIGISCAN_ATTR_SAMPLE_RATE));

    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViInt64(vi_, nullptr, DIGISCAN_ATTR_RECORD_LENGTH, 1000));
    ViInt64 length = 0;
    ASSERT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViInt64(vi_, nullptr, DIGISCAN_ATTR_RECORD_LENGTH, 0, &length));
    EXPECT_EQ(1008, length);
    ASSERT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViInt64(vi_, nullptr, DIGISCAN_ATTR_RECORD_LENGTH, 1, &length));
    EXPECT_EQ(1000, length);

    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViBoolean(vi_, "0", DIGISCAN_ATTR_CHANNEL_ENABLED, 5));
    ViBoolean enabled = 0;
    ASSERT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViBoolean(vi_, "0", DIGISCAN_ATTR_CHANNEL_ENABLED, 1, &enabled));
    EXPECT_EQ(5, enabled);
}

TEST_F(DigiscanTest, SetsThroughTheEngineRecordTheDesiredValueToo) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViReal64(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE, IVI_VAL_DIRECT_USER_CALL, 0.06));
    EXPECT_EQ(0.06, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(0.2, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE, 0));
    // A check neither stores nor changes the desired value.
    ASSERT_EQ(VI_SUCCESS, Ivi_CheckAttributeViReal64(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 0, 4.0));
    EXPECT_EQ(0.06, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE));
}

TEST_F(DigiscanTest, RangeCheckingRefusesOrClamps) {
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Digiscan_SetAttributeViReal64(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 7.0));
    EXPECT_EQ(1.0, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Digiscan_SetAttributeViInt32(vi_, "0", DIGISCAN_ATTR_VERTICAL_COUPLING, 9));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViBoolean(vi_, "", IVI_ATTR_RANGE_CHECK, 0, VI_FALSE));
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 7.0));
    EXPECT_EQ(5.0, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE, 0));
    EXPECT_EQ(7.0, desiredReal("0", DIGISCAN_ATTR_VERTICAL_RANGE));
}

TEST_F(DigiscanTest, StringDesiredValueFollowsTheBufferProtocol) {
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, "external"));
    EXPECT_EQ(9, DigiscanSub_GetAttributeWithOptionsViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, 1, 0, nullptr));
    char text[16];
    ASSERT_EQ(VI_SUCCESS,
              DigiscanSub_GetAttributeWithOptionsViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, 1, sizeof text, text));
    EXPECT_STREQ("external", text);
    ASSERT_EQ(VI_SUCCESS,
              DigiscanSub_GetAttributeWithOptionsViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, 0, sizeof text, text));
    EXPECT_STREQ("External", text);
    char small[4];
    EXPECT_EQ(9, DigiscanSub_GetAttributeWithOptionsViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, 1, sizeof small, small));
    EXPECT_STREQ("ext", small);
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Digiscan_SetAttributeViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, "Line"));
}

TEST_F(DigiscanTest, ReadsRefuseWrongTypesAndUnknownAttributes) {
    ViInt32 value = 0;
    EXPECT_EQ(IVI_ERROR_TYPES_DO_NOT_MATCH,
              DigiscanSub_GetAttributeWithOptionsViInt32(vi_, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 1, &value));
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, DigiscanSub_GetAttributeWithOptionsViInt32(vi_, "", 42, 1, &value));
    EXPECT_EQ(IVI_ERROR_UNKNOWN_CHANNEL_NAME,
              DigiscanSub_GetAttributeWithOptionsViInt32(vi_, "9", DIGISCAN_ATTR_VERTICAL_COUPLING, 1, &value));
    EXPECT_EQ(IVI_ERROR_NULL_POINTER,
              DigiscanSub_GetAttributeWithOptionsViInt32(vi_, "", DIGISCAN_ATTR_LANGUAGE, 1, nullptr));
}

TEST_F(DigiscanTest, DesiredValueReadsAreCountedAndInjectable) {
    SimIvi_ResetCounters();
    ASSERT_EQ(VI_SUCCESS, SimIvi_Inject("DigiscanSub_GetAttributeWithOptionsViInt32", SIMIVI_INJECT_WARN,
                                        IVI_WARN_NSUP_ID_QUERY, DIGISCAN_ATTR_LANGUAGE, 0, 1));
    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("DigiscanSub_GetAttributeWithOptionsViString", -5, 0, 1));
    ViInt32 value = 0;
    EXPECT_EQ(IVI_WARN_NSUP_ID_QUERY,
              DigiscanSub_GetAttributeWithOptionsViInt32(vi_, "", DIGISCAN_ATTR_LANGUAGE, 1, &value));
    EXPECT_EQ(2, value);
    EXPECT_EQ(-5, DigiscanSub_GetAttributeWithOptionsViString(vi_, "", DIGISCAN_ATTR_TRIGGER_SOURCE, 1, 0, nullptr));
    EXPECT_EQ(1, SimIvi_CallCount("DigiscanSub_GetAttributeWithOptionsViInt32"));
    // The driver's own reads of the engine are not counted as engine calls.
    EXPECT_EQ(0, SimIvi_CallCount("Ivi_GetAttributeViInt32"));
}

TEST_F(DigiscanTest, DesiredValueReadsWorkOnPlainEngineSessions) {
    ViSession plain = VI_NULL;
    ASSERT_EQ(VI_SUCCESS, SimIvi_CreateSession(nullptr, &plain));
    ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(plain, nullptr, 1270000, "PLAIN", IVI_VAL_SESSION, 0));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViSession(plain, "", 1270000, IVI_VAL_DIRECT_USER_CALL, 77));
    ViSession value = 0;
    ASSERT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViSession(plain, "", 1270000, 1, &value));
    EXPECT_EQ(77u, value);
}

}  // namespace
