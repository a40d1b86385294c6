#include "SimFixture.h"

using InjectionTest = SimEngineTest;

TEST_F(InjectionTest, FailureHitsTheChosenCallsOnly) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("Ivi_LockSession", IVI_ERROR_CANNOT_RECOVER, 1, 1));
    EXPECT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, nullptr));
    EXPECT_EQ(IVI_ERROR_CANNOT_RECOVER, Ivi_LockSession(vi_, nullptr));
    EXPECT_EQ(VI_SUCCESS, Ivi_LockSession(vi_, nullptr));
    // The injected call did not take the lock.
    EXPECT_EQ(2, SimIvi_LockCount(vi_));
    EXPECT_EQ(3, SimIvi_CallCount("Ivi_LockSession"));
    Ivi_UnlockSession(vi_, nullptr);
    Ivi_UnlockSession(vi_, nullptr);
}

TEST_F(InjectionTest, WarningLetsTheCallWork) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectWarning("Ivi_SetAttributeViInt32", IVI_WARN_NSUP_RESET, 0, -1));
    EXPECT_EQ(IVI_WARN_NSUP_RESET, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, 0, 9));
    EXPECT_EQ(IVI_WARN_NSUP_RESET, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, 0, 10));
    ViInt32 value = 0;
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", kSessionInt, 0, &value));
    EXPECT_EQ(10, value);
    // A failing call keeps its error.
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, Ivi_SetAttributeViInt32(vi_, "", 42, 0, 1));
    SimIvi_ClearInjections();
    EXPECT_EQ(VI_SUCCESS, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, 0, 11));
}

TEST_F(InjectionTest, AttributeFilterAndValueReturningFunctions) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_Inject("Ivi_GetAttributeViString", SIMIVI_INJECT_FAIL, IVI_ERROR_CANNOT_RECOVER,
                                        IVI_ATTR_DRIVER_SETUP, 0, 1));
    char text[32];
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViString(vi_, "", kSessionString, 0, sizeof text, text));
    EXPECT_EQ(IVI_ERROR_CANNOT_RECOVER, Ivi_GetAttributeViString(vi_, "", IVI_ATTR_DRIVER_SETUP, 0, sizeof text, text));
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViString(vi_, "", IVI_ATTR_DRIVER_SETUP, 0, sizeof text, text));

    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("Ivi_SessionIsAvailable", 2, 0, 1));
    EXPECT_EQ(2, Ivi_SessionIsAvailable(vi_));
    EXPECT_EQ(VI_TRUE, Ivi_SessionIsAvailable(vi_));
}

TEST_F(InjectionTest, ErrorCallsAndDeletesAreInjectable) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("Ivi_SetErrorInfo", IVI_ERROR_CANNOT_RECOVER, 0, 1));
    EXPECT_EQ(IVI_ERROR_CANNOT_RECOVER, Ivi_SetErrorInfo(vi_, VI_FALSE, -1, 0, "lost"));
    ViStatus primary = 1;
    SimIvi_GetPendingError(vi_, &primary, nullptr, 0, nullptr);
    EXPECT_EQ(0, primary);

    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("Ivi_DeleteAttribute", IVI_ERROR_CANNOT_RECOVER, 0, 1));
    EXPECT_EQ(IVI_ERROR_CANNOT_RECOVER, Ivi_DeleteAttribute(vi_, kSessionInt));
    EXPECT_EQ(VI_TRUE, Ivi_AttributeIsAvailable(vi_, kSessionInt));
}

TEST_F(InjectionTest, ResetClearsCountersAndRefusesBadRequests) {
    Ivi_SessionIsAvailable(vi_);
    EXPECT_EQ(1, SimIvi_CallCount("Ivi_SessionIsAvailable"));
    SimIvi_ResetCounters();
    EXPECT_EQ(0, SimIvi_CallCount("Ivi_SessionIsAvailable"));
    // The control API itself is not counted.
    SimIvi_LockCount(vi_);
    EXPECT_EQ(0, SimIvi_CallCount("SimIvi_LockCount"));
    EXPECT_EQ(IVI_ERROR_INVALID_PARAMETER, SimIvi_Inject("Ivi_Dispose", 3, -1, 0, 0, 1));
    EXPECT_EQ(IVI_ERROR_INVALID_PARAMETER, SimIvi_InjectFailure("Ivi_Dispose", -1, -1, 1));
    EXPECT_EQ(IVI_ERROR_INVALID_PARAMETER, SimIvi_InjectFailure("Ivi_Dispose", -1, 0, 0));
}

TEST_F(InjectionTest, BookkeepingOffNeitherCountsNorInjectsUntilTurnedOnOrReset) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_InjectFailure("Ivi_ValidateSession", IVI_ERROR_CANNOT_RECOVER, 0, -1));
    SimIvi_SetBookkeeping(VI_FALSE);
    EXPECT_EQ(VI_SUCCESS, Ivi_ValidateSession(vi_));
    EXPECT_EQ(0, SimIvi_CallCount("Ivi_ValidateSession"));
    SimIvi_SetBookkeeping(VI_TRUE);
    EXPECT_EQ(IVI_ERROR_CANNOT_RECOVER, Ivi_ValidateSession(vi_));
    EXPECT_EQ(1, SimIvi_CallCount("Ivi_ValidateSession"));
    SimIvi_SetBookkeeping(VI_FALSE);
    SimIvi_Reset();
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_ValidateSession(vi_));
    EXPECT_EQ(1, SimIvi_CallCount("Ivi_ValidateSession"));
}
