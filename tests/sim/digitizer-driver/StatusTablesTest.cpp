// What a user's program gets from the world's error functions: the engine knows every status of
// the explanation files in its range, and the driver's Digiscan_GetError gives the meaning of a
// code (its own, generated from the same sources Helvar describes them from) and the whole
// recorded description.
#include <gtest/gtest.h>

#include <string>

#include "Digiscan.h"
#include "DigiscanStatusCodes.h"
#include "Helvar.h"
#include "IviEngine.h"
#include "SimIvi.h"

namespace {

std::string engineMessage(ViStatus code) {
    ViChar text[256] = {};
    EXPECT_EQ(Ivi_GetErrorMessage(code, text), VI_SUCCESS);
    return text;
}

std::string helvarMeaning(ViStatus code) {
    const ViStatus needed = Helvar_DescribeStatus(HELVAR_LANGUAGE_ENGLISH, code, 0, nullptr);
    if (needed <= 0) return "";
    std::string text(static_cast<std::size_t>(needed), '\0');
    EXPECT_EQ(Helvar_DescribeStatus(HELVAR_LANGUAGE_ENGLISH, code, needed, &text[0]), VI_SUCCESS);
    return text.c_str();
}

struct DriverError {
    ViStatus result = 0;
    ViStatus code = 0;
    std::string text;
};

DriverError driverError(ViSession vi) {
    DriverError error;
    const ViStatus needed = Digiscan_GetError(vi, &error.code, 0, nullptr);
    if (needed <= 0) {
        error.result = needed;
        return error;
    }
    std::string text(static_cast<std::size_t>(needed), 'x');
    error.result = Digiscan_GetError(vi, &error.code, needed, &text[0]);
    error.text = text.c_str();
    return error;
}

TEST(StatusTables, TheEngineKnowsEveryStatusOfItsRange) {
    for (ViStatus code : digiscan::kEngineStatuses)
        EXPECT_EQ(engineMessage(code).rfind("Unknown status code", 0), std::string::npos) << code;
}

TEST(StatusTables, TheDriversMeaningsAreTheExplanations) {
    ASSERT_GT(sizeof digiscan::kStatusMeanings / sizeof digiscan::kStatusMeanings[0], 10u);
    for (const digiscan::StatusMeaning& meaning : digiscan::kStatusMeanings)
        EXPECT_EQ(meaning.text, helvarMeaning(meaning.code)) << meaning.code;
}

class DriverErrors : public ::testing::Test {
protected:
    void SetUp() override {
        SimIvi_Reset();
        ASSERT_EQ(Digiscan_InitWithOptions("Sim", VI_FALSE, VI_FALSE, "Simulate=1", &vi_), VI_SUCCESS);
    }
    void TearDown() override { SimIvi_Reset(); }
    ViSession vi_ = VI_NULL;
};

TEST_F(DriverErrors, GivesTheMeaningAndTheWholeDescriptionThenClears) {
    const std::string recorded = std::string(600, 'd') + " end";
    struct Case {
        ViSession handle;
        ViStatus code;
        std::string meaning;
    };
    const Case cases[] = {
        {vi_, HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER, helvarMeaning(HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER)},
        {VI_NULL, HELVAR_ERROR_SESSION_NOT_INITIALIZED, helvarMeaning(HELVAR_ERROR_SESSION_NOT_INITIALIZED)},
        {vi_, IVI_ERROR_INVALID_VALUE, engineMessage(IVI_ERROR_INVALID_VALUE)},
        {vi_, -52000, "Unknown status code (0xFFFF34E0)."},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Ivi_SetErrorInfo(c.handle, VI_TRUE, c.code, 0, recorded.c_str()), VI_SUCCESS);
        // A size query leaves the error pending.
        ViStatus code = 0;
        EXPECT_EQ(Digiscan_GetError(c.handle, &code, 0, nullptr),
                  static_cast<ViStatus>(c.meaning.size() + 2 + recorded.size() + 1));
        EXPECT_EQ(code, c.code);
        const DriverError error = driverError(c.handle);
        EXPECT_EQ(error.result, VI_SUCCESS) << c.code;
        EXPECT_EQ(error.code, c.code);
        EXPECT_EQ(error.text, c.meaning + "\n\n" + recorded);
        // Fetched is cleared: what remains is success.
        const DriverError after = driverError(c.handle);
        EXPECT_EQ(after.code, 0);
        EXPECT_EQ(after.text, engineMessage(VI_SUCCESS));
    }
}

TEST_F(DriverErrors, RefusesBadSizesAndKeepsTheErrorPending) {
    ASSERT_EQ(Ivi_SetErrorInfo(vi_, VI_TRUE, IVI_ERROR_INVALID_VALUE, 0, "details"), VI_SUCCESS);
    ViStatus code = 0;
    const ViStatus needed = Digiscan_GetError(vi_, &code, 0, nullptr);
    ASSERT_GT(needed, 1);
    std::string buffer(static_cast<std::size_t>(needed), 'x');
    EXPECT_EQ(Digiscan_GetError(vi_, &code, needed - 1, &buffer[0]), DIGISCAN_ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(buffer, std::string(static_cast<std::size_t>(needed), 'x'));
    EXPECT_EQ(Digiscan_GetError(vi_, &code, -1, &buffer[0]), IVI_ERROR_INVALID_VALUE);
    EXPECT_EQ(Digiscan_GetError(vi_, nullptr, needed, &buffer[0]), IVI_ERROR_NULL_POINTER);
    EXPECT_EQ(Digiscan_GetError(vi_, &code, needed, nullptr), IVI_ERROR_NULL_POINTER);
    EXPECT_EQ(Digiscan_GetError(987654, &code, 0, nullptr), IVI_ERROR_INVALID_SESSION_HANDLE);
    EXPECT_EQ(driverError(vi_).code, IVI_ERROR_INVALID_VALUE);

    ASSERT_EQ(Ivi_SetErrorInfo(vi_, VI_TRUE, IVI_ERROR_INVALID_VALUE, 0, "again"), VI_SUCCESS);
    EXPECT_EQ(Digiscan_ClearError(vi_), VI_SUCCESS);
    EXPECT_EQ(driverError(vi_).code, 0);
    EXPECT_EQ(Digiscan_ClearError(987654), IVI_ERROR_INVALID_SESSION_HANDLE);
}

TEST_F(DriverErrors, AUsersProgramReadsHelvarsRefusalInFull) {
    ASSERT_EQ(Helvar_Initialize(vi_), VI_SUCCESS);
    const std::string document = "{\"formatVersion\": 1";
    EXPECT_EQ(Helvar_ImportAttributeConfigurationBuffer(vi_, static_cast<ViInt32>(document.size()), document.c_str()),
              HELVAR_ERROR_CORRUPTED_FORMAT);
    const DriverError error = driverError(vi_);
    EXPECT_EQ(error.result, VI_SUCCESS);
    EXPECT_EQ(error.code, HELVAR_ERROR_CORRUPTED_FORMAT);
    EXPECT_EQ(error.text.rfind(helvarMeaning(HELVAR_ERROR_CORRUPTED_FORMAT), 0), 0u) << error.text;
    EXPECT_EQ(Helvar_Close(vi_), VI_SUCCESS);
}

}  // namespace
