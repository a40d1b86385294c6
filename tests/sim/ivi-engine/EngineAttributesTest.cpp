#include <cstring>
#include <string>
#include <vector>

#include "SimFixture.h"

using AttributeTest = SimEngineTest;

TEST_F(AttributeTest, StringReadsFollowTheBufferProtocol) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViString(vi_, "", kSessionString, 0, "abcdef"));
    EXPECT_EQ(7, Ivi_GetAttributeViString(vi_, "", kSessionString, 0, 0, nullptr));

    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(7, Ivi_GetAttributeViString(vi_, "", kSessionString, 0, sizeof small, small));
    EXPECT_STREQ("abc", small);

    char exact[7];
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViString(vi_, "", kSessionString, 0, sizeof exact, exact));
    EXPECT_STREQ("abcdef", exact);

    EXPECT_EQ(IVI_ERROR_NULL_POINTER, Ivi_GetAttributeViString(vi_, "", kSessionString, 0, 5, nullptr));
}

TEST_F(AttributeTest, NamesFollowTheSameProtocol) {
    char name[256];
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeName(vi_, kSessionInt, sizeof name, name));
    EXPECT_STREQ("TEST_ATTR_INT", name);
    char cut[5];
    EXPECT_EQ(14, Ivi_GetAttributeName(vi_, kSessionInt, sizeof cut, cut));
    EXPECT_STREQ("TEST", cut);
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, Ivi_GetAttributeName(vi_, 42, sizeof name, name));
}

TEST_F(AttributeTest, EnumerationIsOneBasedInOrderOfAddition) {
    ViInt32 count = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNumAttributes(vi_, &count));
    // Ten inherent attributes precede the three added by the fixture.
    ASSERT_EQ(13, count);
    ViAttr id = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthAttribute(vi_, 1, &id));
    EXPECT_EQ(ViAttr(IVI_ATTR_RANGE_CHECK), id);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthAttribute(vi_, count, &id));
    EXPECT_EQ(kSessionString, id);
    EXPECT_GT(0, Ivi_GetNthAttribute(vi_, 0, &id));
    EXPECT_GT(0, Ivi_GetNthAttribute(vi_, count + 1, &id));

    ViInt32 type = 0;
    IviAttrFlags flags = -1;
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeType(vi_, kChannelReal, &type));
    EXPECT_EQ(IVI_VAL_REAL64, type);
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeFlags(vi_, IVI_ATTR_PRIMARY_ERROR, &flags));
    EXPECT_TRUE(flags & IVI_VAL_NOT_WRITABLE);
}

TEST_F(AttributeTest, InherentOptionsComeFromTheOptionString) {
    ViSession other = VI_NULL;
    ASSERT_EQ(VI_SUCCESS, SimIvi_CreateSession("simulate=0, RangeCheck=1,Cache=false,driverSetup=Model:X,Y", &other));
    ViBoolean value = 7;
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViBoolean(other, "", IVI_ATTR_SIMULATE, 0, &value));
    EXPECT_EQ(VI_FALSE, value);
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViBoolean(other, "", IVI_ATTR_CACHE, 0, &value));
    EXPECT_EQ(VI_FALSE, value);
    EXPECT_EQ(VI_TRUE, Ivi_RangeChecking(other));
    char setup[64];
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViString(other, "", IVI_ATTR_DRIVER_SETUP, 0, sizeof setup, setup));
    EXPECT_STREQ("Model:X,Y", setup);

    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, SimIvi_CreateSession("Simulate=maybe", &other));
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, SimIvi_CreateSession("Bogus=1", &other));
}

TEST_F(AttributeTest, AddressAttributeIsAddedOnceAndDeleted) {
    const ViAttr kObject = 1100141;
    ASSERT_EQ(VI_SUCCESS, Ivi_AddAttributeViAddr(vi_, kObject, "((1000000 + 100000) + 141L)", nullptr, 24, nullptr, nullptr));
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS,
              Ivi_AddAttributeViAddr(vi_, kObject, "other", nullptr, 24, nullptr, nullptr));

    int object = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViAddr(vi_, nullptr, kObject, 4, &object));
    ViAddr read = nullptr;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViAddr(vi_, nullptr, kObject, 0, &read));
    EXPECT_EQ(&object, read);
    EXPECT_EQ(VI_FALSE, Ivi_AttributeWasSetByUser(vi_, nullptr, kObject));
    // Hidden from the user.
    EXPECT_EQ(IVI_ERROR_ATTR_NOT_READABLE, Ivi_GetAttributeViAddr(vi_, nullptr, kObject, IVI_VAL_DIRECT_USER_CALL, &read));

    EXPECT_EQ(VI_TRUE, Ivi_AttributeIsAvailable(vi_, kObject));
    ASSERT_EQ(VI_SUCCESS, Ivi_DeleteAttribute(vi_, kObject));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeIsAvailable(vi_, kObject));
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, Ivi_DeleteAttribute(vi_, kObject));
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, Ivi_GetAttributeViAddr(vi_, nullptr, kObject, 0, &read));
}

TEST_F(AttributeTest, AddressCallbacksSeeReadsAndWrites) {
    struct Calls {
        static ViStatus read(ViSession, ViSession, ViConstString, ViAttr, ViAddr* value) {
            *value = &marker();
            return VI_SUCCESS;
        }
        static ViStatus write(ViSession, ViSession, ViConstString, ViAttr, ViAddr value) {
            return value == nullptr ? IVI_ERROR_INVALID_VALUE : VI_SUCCESS;
        }
        static int& marker() {
            static int m;
            return m;
        }
    };
    ASSERT_EQ(VI_SUCCESS, Ivi_AddAttributeViAddr(vi_, 1260100, "CB", nullptr, 0, Calls::read, Calls::write));
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Ivi_SetAttributeViAddr(vi_, "", 1260100, 0, nullptr));
    ViAddr value = nullptr;
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeViAddr(vi_, "", 1260100, 0, &value));
    EXPECT_EQ(&Calls::marker(), value);
}

TEST_F(AttributeTest, RepeatedCapabilityNames) {
    ViConstString repCap = "unset";
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeRepCapName(vi_, kSessionInt, &repCap));
    EXPECT_TRUE(repCap == nullptr || *repCap == '\0');
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeRepCapName(vi_, kChannelReal, &repCap));
    ASSERT_NE(nullptr, repCap);
    EXPECT_STREQ("Channel", repCap);

    ViConstString name = nullptr;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthRepCapName(vi_, repCap, 1, &name));
    EXPECT_STREQ("0", name);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthRepCapName(vi_, repCap, 2, &name));
    EXPECT_STREQ("1", name);
    // Names handed out stay valid while the table grows.
    ASSERT_EQ(VI_SUCCESS, Ivi_AddToRepCapTable(vi_, "Channel", "2, 3"));
    EXPECT_STREQ("1", name);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNthRepCapName(vi_, repCap, 5, &name));
    EXPECT_EQ(nullptr, name);
    EXPECT_EQ(IVI_ERROR_UNKNOWN_REPEATED_CAPABILITY, Ivi_GetNthRepCapName(vi_, "Trigger", 1, &name));

    EXPECT_EQ(VI_SUCCESS, Ivi_ValidateAttrForRepCapName(vi_, "1", kChannelReal));
    EXPECT_EQ(VI_SUCCESS, Ivi_ValidateAttrForRepCapName(vi_, "", kSessionInt));
    EXPECT_EQ(IVI_ERROR_UNKNOWN_CHANNEL_NAME, Ivi_ValidateAttrForRepCapName(vi_, "7", kChannelReal));
    EXPECT_EQ(IVI_ERROR_CHANNEL_NAME_REQUIRED, Ivi_ValidateAttrForRepCapName(vi_, "", kChannelReal));
    EXPECT_EQ(IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED, Ivi_ValidateAttrForRepCapName(vi_, "0", kSessionInt));
    EXPECT_EQ(IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, Ivi_ValidateAttrForRepCapName(vi_, "0", 42));
}

TEST_F(AttributeTest, ValuesAndSetByUserMarksArePerChannel) {
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViReal64(vi_, "1", kChannelReal, IVI_VAL_DIRECT_USER_CALL, 2.5));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViReal64(vi_, "0", kChannelReal, 0, 1.5));
    EXPECT_EQ(VI_TRUE, Ivi_AttributeWasSetByUser(vi_, "1", kChannelReal));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeWasSetByUser(vi_, "0", kChannelReal));
    ViReal64 value = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViReal64(vi_, "0", kChannelReal, 0, &value));
    EXPECT_EQ(1.5, value);
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViReal64(vi_, "1", kChannelReal, 0, &value));
    EXPECT_EQ(2.5, value);

    // A user call that asks not to be marked stays unmarked.
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, IVI_VAL_DIRECT_USER_CALL | 4, 3));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeWasSetByUser(vi_, "", kSessionInt));
    ASSERT_EQ(VI_SUCCESS, SimIvi_SetAsUser(vi_, nullptr, kSessionInt, VI_TRUE));
    EXPECT_EQ(VI_TRUE, Ivi_AttributeWasSetByUser(vi_, nullptr, kSessionInt));
    ASSERT_EQ(VI_SUCCESS, SimIvi_SetAsUser(vi_, nullptr, kSessionInt, VI_FALSE));
    EXPECT_EQ(VI_FALSE, Ivi_AttributeWasSetByUser(vi_, nullptr, kSessionInt));
    EXPECT_EQ(VI_TRUE, Ivi_AttributeEverSetByUser(vi_, nullptr, kSessionInt));
}

TEST_F(AttributeTest, AccessRulesAndTypes) {
    ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, nullptr, 1260010, "READ_ONLY_FOR_USER", IVI_VAL_INT32,
                                              IVI_VAL_NOT_USER_WRITABLE));
    EXPECT_EQ(IVI_ERROR_ATTR_NOT_WRITABLE, Ivi_SetAttributeViInt32(vi_, "", 1260010, IVI_VAL_DIRECT_USER_CALL, 1));
    EXPECT_EQ(VI_SUCCESS, Ivi_SetAttributeViInt32(vi_, "", 1260010, 0, 1));
    EXPECT_EQ(IVI_ERROR_ATTR_NOT_WRITABLE, Ivi_SetAttributeViInt32(vi_, "", IVI_ATTR_PRIMARY_ERROR, 0, 1));
    EXPECT_EQ(IVI_ERROR_TYPES_DO_NOT_MATCH, Ivi_SetAttributeViReal64(vi_, "", kSessionInt, 0, 1.0));
    ViInt64 wide = 0;
    EXPECT_EQ(IVI_ERROR_TYPES_DO_NOT_MATCH, Ivi_GetAttributeViInt64(vi_, "", kSessionInt, 0, &wide));
    EXPECT_EQ(IVI_ERROR_NULL_POINTER, Ivi_GetAttributeViInt32(vi_, "", kSessionInt, 0, nullptr));
    EXPECT_EQ(IVI_ERROR_CHANNEL_NAME_REQUIRED, Ivi_SetAttributeViReal64(vi_, nullptr, kChannelReal, 0, 1.0));
    EXPECT_EQ(IVI_ERROR_INVALID_SESSION_HANDLE, Ivi_SetAttributeViInt32(kUnknownHandle, "", kSessionInt, 0, 1));

    // A type the engine has no value for: listed and typed, never read or written.
    ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, nullptr, 1260011, "ODD_TYPE", 3, 0));
    ViInt32 type = 0;
    EXPECT_EQ(VI_SUCCESS, Ivi_GetAttributeType(vi_, 1260011, &type));
    EXPECT_EQ(3, type);
    ViInt32 value = 0;
    EXPECT_EQ(IVI_ERROR_TYPES_DO_NOT_MATCH, Ivi_GetAttributeViInt32(vi_, "", 1260011, 0, &value));
    EXPECT_EQ(IVI_ERROR_TYPES_DO_NOT_MATCH, Ivi_SetAttributeViInt32(vi_, "", 1260011, 0, 1));
}

TEST_F(AttributeTest, CoerceHookChangesWhatIsStoredButNotChecks) {
    struct Hook {
        static ViStatus doubleIt(ViSession, ViConstString channel, ViAttr, ViBoolean checkOnly, SimIvi_Value* value,
                                 void* context) {
            if (value->int32Value < 0) return IVI_ERROR_INVALID_VALUE;
            value->int32Value *= 2;
            if (!checkOnly) ++*static_cast<int*>(context);
            return VI_SUCCESS;
        }
    };
    int stored = 0;
    ASSERT_EQ(VI_SUCCESS, SimIvi_SetCoerceCallback(vi_, kSessionInt, Hook::doubleIt, &stored));
    ASSERT_EQ(VI_SUCCESS, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, IVI_VAL_DIRECT_USER_CALL, 21));
    EXPECT_EQ(VI_SUCCESS, Ivi_CheckAttributeViInt32(vi_, "", kSessionInt, 0, 5));
    EXPECT_EQ(IVI_ERROR_INVALID_VALUE, Ivi_SetAttributeViInt32(vi_, "", kSessionInt, 0, -1));
    ViInt32 value = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViInt32(vi_, "", kSessionInt, 0, &value));
    EXPECT_EQ(42, value);
    EXPECT_EQ(1, stored);
}

// Attributes are hashed by id: many added, some deleted, the rest found with their types and
// enumerated in the order they were added.
TEST_F(AttributeTest, ManyAttributesStayFoundAndOrderedAfterDeletions) {
    const ViAttr first = 1300000;
    const int count = 500;
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(vi_, nullptr, first + static_cast<ViAttr>(i), "MANY",
                                                  i % 2 == 0 ? IVI_VAL_INT32 : IVI_VAL_REAL64, 0));
    }
    for (int i = 0; i < count; i += 5) ASSERT_EQ(VI_SUCCESS, Ivi_DeleteAttribute(vi_, first + static_cast<ViAttr>(i)));
    ViInt32 total = 0;
    ASSERT_EQ(VI_SUCCESS, Ivi_GetNumAttributes(vi_, &total));
    std::vector<ViAttr> enumerated;
    for (ViInt32 n = 1; n <= total; ++n) {
        ViAttr id = 0;
        ASSERT_EQ(VI_SUCCESS, Ivi_GetNthAttribute(vi_, n, &id));
        if (id >= first) enumerated.push_back(id);
    }
    std::vector<ViAttr> expected;
    for (int i = 0; i < count; ++i) {
        const ViAttr id = first + static_cast<ViAttr>(i);
        ViInt32 type = 0;
        if (i % 5 == 0) {
            EXPECT_EQ(VI_FALSE, Ivi_AttributeIsAvailable(vi_, id)) << i;
            continue;
        }
        expected.push_back(id);
        ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeType(vi_, id, &type)) << i;
        EXPECT_EQ(i % 2 == 0 ? IVI_VAL_INT32 : IVI_VAL_REAL64, type) << i;
    }
    EXPECT_EQ(expected, enumerated);
}
