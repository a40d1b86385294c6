#include <string>

#include "SimFixture.h"

using ErrorInfoTest = SimEngineTest;

namespace {
const ViStatus kError = -1074100299;
const ViStatus kLaterError = -1074100300;
const ViStatus kWarning = IVI_WARN_NSUP_RESET;
}  // namespace

TEST_F(ErrorInfoTest, PendingErrorIsKeptUnlessOverwritten) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kError, 0, "first"));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kLaterError, 0, "second"));
    ViStatus primary = 0;
    SimIvi_GetPendingError(vi_, &primary, nullptr, 0, nullptr);
    EXPECT_EQ(kError, primary);
    EXPECT_EQ("first", pendingElaboration(vi_));

    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_TRUE, kLaterError, 7, "second"));
    ViStatus secondary = 0;
    SimIvi_GetPendingError(vi_, &primary, &secondary, 0, nullptr);
    EXPECT_EQ(kLaterError, primary);
    EXPECT_EQ(7, secondary);
}

TEST_F(ErrorInfoTest, WarningGivesWayToAnErrorOnly) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kWarning, 0, nullptr));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kWarning + 1, 0, "later warning"));
    ViStatus primary = 0;
    SimIvi_GetPendingError(vi_, &primary, nullptr, 0, nullptr);
    EXPECT_EQ(kWarning, primary);
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kError, 0, "error"));
    SimIvi_GetPendingError(vi_, &primary, nullptr, 0, nullptr);
    EXPECT_EQ(kError, primary);
}

TEST_F(ErrorInfoTest, EachHandleHasItsOwnRecordIncludingTheNullHandle) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(VI_NULL, VI_FALSE, kError, 0, "process"));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kLaterError, 0, "session"));
    EXPECT_EQ("process", pendingElaboration(VI_NULL));
    EXPECT_EQ("session", pendingElaboration(vi_));

    ViStatus primary = 0, secondary = -1;
    char text[256];
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorInfo(VI_NULL, &primary, &secondary, text));
    EXPECT_EQ(kError, primary);
    EXPECT_EQ(0, secondary);
    EXPECT_STREQ("process", text);
    // Fetching clears.
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorInfo(VI_NULL, &primary, &secondary, text));
    EXPECT_EQ(0, primary);
    EXPECT_STREQ("", text);
    EXPECT_EQ("session", pendingElaboration(vi_));

    ASSERT_EQ(VI_SUCCESS, Ivi_ClearErrorInfo(vi_));
    SimIvi_GetPendingError(vi_, &primary, nullptr, 0, nullptr);
    EXPECT_EQ(0, primary);

    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_SetErrorInfo(kUnknownHandle, VI_FALSE, kError, 0, ""));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_GetErrorInfo(kUnknownHandle, &primary, nullptr, nullptr));
}

TEST_F(ErrorInfoTest, ErrorAttributesMirrorThePendingError) {
    const std::string longText(2000, 'e');
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kError, 5, longText.c_str()));
    ViInt32 value = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", IVI_ATTR_PRIMARY_ERROR, 0, &value));
    EXPECT_EQ(kError, value);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", IVI_ATTR_SECONDARY_ERROR, 0, &value));
    EXPECT_EQ(5, value);
    EXPECT_EQ(2001, Ivi_GetAttributeViString(vi_, "", IVI_ATTR_ERROR_ELABORATION, 0, 0, nullptr));
    char elaboration[1024];
    EXPECT_EQ(2001, Ivi_GetAttributeViString(vi_, "", IVI_ATTR_ERROR_ELABORATION, 0, sizeof elaboration, elaboration));
    EXPECT_EQ(std::string(1023, 'e'), elaboration);

    // The null handle's record reads the same way; reading leaves it pending.
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(VI_NULL, VI_TRUE, kLaterError, 0, "null"));
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(VI_NULL, "", IVI_ATTR_PRIMARY_ERROR, 0, &value));
    EXPECT_EQ(kLaterError, value);

    // Fetching through the call cuts the text to its 256-byte array.
    char cut[256];
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorInfo(vi_, nullptr, nullptr, cut));
    EXPECT_EQ(std::string(255, 'e'), cut);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", IVI_ATTR_PRIMARY_ERROR, 0, &value));
    EXPECT_EQ(0, value);
}

TEST_F(ErrorInfoTest, MessagesAndParameterPositions) {
    char message[256];
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorMessage(IVI_ERROR_INVALID_SESSION_HANDLE, message));
    EXPECT_STREQ("The session handle is not valid.", message);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorMessage(-1, message));
    EXPECT_STREQ("Unknown status code (0xFFFFFFFF).", message);

    EXPECT_EQ(VI_ERROR_PARAMETER1, Ivi_ParamPositionError(1));
    EXPECT_EQ(VI_ERROR_PARAMETER8, Ivi_ParamPositionError(8));
    EXPECT_EQ(IVI_ERROR_INVALID_PARAMETER, Ivi_ParamPositionError(9));
    ASSERT_EQ(VI_SUCCESS, Ivi_GetErrorMessage(Ivi_ParamPositionError(3), message));
    EXPECT_STREQ("Parameter 3 is invalid.", message);
}

TEST_F(ErrorInfoTest, DisposingASessionDropsItsRecord) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetErrorInfo(vi_, VI_FALSE, kError, 0, "x"));
    ASSERT_EQ(VI_SUCCESS, Ivi_Dispose(vi_));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, SimIvi_GetPendingError(vi_, nullptr, nullptr, 0, nullptr));
}
