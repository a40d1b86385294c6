#pragma once
// A fresh engine per test, with a plain session that has a two-channel repeated capability.
#include <gtest/gtest.h>

#include <string>

#include "SimIvi.h"

class SimEngineTest : public ::testing::Test {
protected:
    static constexpr ViAttr kSessionInt = 1260001;
    static constexpr ViAttr kChannelReal = 1260002;
    static constexpr ViAttr kSessionString = 1260003;
    static constexpr ViSession kUnknownHandle = 987654;

    void SetUp() override {
        SimIvi_Reset();
        ASSERT_EQ(VI_SUCCESS, SimIvi_CreateSession("Simulate=1", &vi_));
        ASSERT_EQ(VI_SUCCESS, SimIvi_BuildRepCap(vi_, "Channel", "0,1"));
        ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, nullptr, kSessionInt, "TEST_ATTR_INT", IVI_VAL_INT32, 0));
        ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, "Channel", kChannelReal, "TEST_ATTR_REAL", IVI_VAL_REAL64, 0));
        ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, nullptr, kSessionString, "TEST_ATTR_TEXT", IVI_VAL_STRING, 0));
    }
    void TearDown() override { SimIvi_Reset(); }

    ViSession vi_ = VI_NULL;
};

inline std::string pendingElaboration(ViSession vi) {
    char text[1024] = {};
    SimIvi_GetPendingError(vi, nullptr, nullptr, sizeof text, text);
    return text;
}
