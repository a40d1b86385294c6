// The desired-value reader, the captured settings and the session object, against the simulated
// engine and driver.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "IviEngine.h"
#include "support/SimSession.h"
#include "common/orverr/Exception.h"
#include "common/orverr/JsonReader.h"
#include "helvar/impexp/GetDesiredAttributeHelper.h"
#include "helvar/impexp/ImportExportSession.h"
#include "helvar/impexp/ImportExportSessionSettings.h"
#include "helvar/miivi/IviWrapper.h"
#include "helvar/miivi/LanguageAccessor.h"
#include "support/Portable.h"

namespace {

using impexp_auxTemplate::ImportExportSession;
using impexp_auxTemplate::SessionAttributeDefinition;
using spine_test::pendingError;
using spine_test::SimSession;

constexpr ViAttr kObjectAttribute = SessionAttributeDefinition::kAttributeId;

class Core : public spine_test::SimSessionTest {
protected:
    std::unique_ptr<ImportExportSession> makeObject(int32_t language = 2) {
        return std::make_unique<ImportExportSession>(std::make_unique<miivi::IviWrapper>(session.vi()),
                                                     std::make_unique<impexp::GetDesiredAttributeHelper>(), language,
                                                     "", "Simulate=1", 5122);
    }
};

// ---- desired values ---------------------------------------------------------------------------

TEST_F(Core, DesiredValuesAreTheRequestedOnes) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Digiscan_SetAttributeViReal64(vi, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 0.3), VI_SUCCESS);
    ASSERT_EQ(Digiscan_SetAttributeViInt64(vi, "", DIGISCAN_ATTR_RECORD_LENGTH, 100), VI_SUCCESS);
    ASSERT_EQ(Digiscan_SetAttributeViString(vi, "", DIGISCAN_ATTR_TRIGGER_SOURCE, "external"), VI_SUCCESS);
    ASSERT_EQ(Digiscan_SetAttributeViBoolean(vi, "1", DIGISCAN_ATTR_CHANNEL_ENABLED, 7), VI_SUCCESS);
    miivi::IviWrapper wrapper(vi);
    impexp::GetDesiredAttributeHelper reader;

    ViReal64 range = 0;
    reader.getAttributeViReal64(wrapper, "0", DIGISCAN_ATTR_VERTICAL_RANGE, &range);
    EXPECT_EQ(range, 0.3);
    ViReal64 actual = 0;
    Ivi_GetAttributeViReal64(vi, "0", DIGISCAN_ATTR_VERTICAL_RANGE, 0, &actual);
    EXPECT_NE(actual, 0.3);  // the instrument coerced it; the reader must not see that

    ViInt64 length = 0;
    reader.getAttributeViInt64(wrapper, "", DIGISCAN_ATTR_RECORD_LENGTH, &length);
    EXPECT_EQ(length, 100);
    std::string source = "old";
    reader.getAttributeViString(wrapper, "", DIGISCAN_ATTR_TRIGGER_SOURCE, source);
    EXPECT_EQ(source, "external");
    ViBoolean enabled = 0;
    reader.getAttributeViBoolean(wrapper, "1", DIGISCAN_ATTR_CHANNEL_ENABLED, &enabled);
    EXPECT_EQ(enabled, 7);
    ViInt32 model = 0;
    reader.getAttributeViInt32(wrapper, "", DIGISCAN_ATTR_MODEL_NUMBER, &model);
    EXPECT_EQ(model, DIGISCAN_DEFAULT_MODEL);
}

constexpr const char* kStringEntry = "DigiscanSub_GetAttributeWithOptionsViString";

TEST_F(Core, StringReadAsksForTheSizeThenReads) {
    const ViSession vi = session.vi();
    ASSERT_EQ(Digiscan_SetAttributeViString(vi, "", DIGISCAN_ATTR_TRIGGER_SOURCE, "1"), VI_SUCCESS);
    miivi::IviWrapper wrapper(vi);
    impexp::GetDesiredAttributeHelper reader;
    SimIvi_ResetCounters();
    std::string value;
    reader.getAttributeViString(wrapper, "", DIGISCAN_ATTR_TRIGGER_SOURCE, value);
    EXPECT_EQ(value, "1");
    EXPECT_EQ(SimIvi_CallCount(kStringEntry), 2);
}

TEST_F(Core, StringReadOfNeededSizeZeroIsEmptyAfterOneCall) {
    miivi::IviWrapper wrapper(session.vi());
    impexp::GetDesiredAttributeHelper reader;
    SimIvi_ResetCounters();
    SimIvi_InjectFailure(kStringEntry, 0, 0, 1);  // the size query answers 0
    std::string value = "stale";
    reader.getAttributeViString(wrapper, "", DIGISCAN_ATTR_TRIGGER_SOURCE, value);
    EXPECT_EQ(value, "");
    EXPECT_EQ(SimIvi_CallCount(kStringEntry), 1);
}

TEST_F(Core, StringReadRaisesANegativeSizeAndRecordsAWarningOfTheRead) {
    miivi::IviWrapper wrapper(session.vi());
    impexp::GetDesiredAttributeHelper reader;
    std::string value;
    SimIvi_InjectFailure(kStringEntry, IVI_ERROR_INVALID_VALUE, 0, 1);
    EXPECT_EQ(raised([&] { reader.getAttributeViString(wrapper, "", DIGISCAN_ATTR_TRIGGER_SOURCE, value); }).first,
              IVI_ERROR_INVALID_VALUE);
    SimIvi_ClearInjections();
    SimIvi_Inject(kStringEntry, SIMIVI_INJECT_WARN, 3, 0, 1, 1);  // the second call warns
    reader.getAttributeViString(wrapper, "", DIGISCAN_ATTR_TRIGGER_SOURCE, value);
    EXPECT_FALSE(value.empty());
    EXPECT_EQ(pendingError(session.vi()).primary, 3);
}

TEST_F(Core, ScalarReadRaisesErrorsAndRecordsWarnings) {
    miivi::IviWrapper wrapper(session.vi());
    impexp::GetDesiredAttributeHelper reader;
    ViReal64 value = 0;
    SimIvi_InjectFailure("DigiscanSub_GetAttributeWithOptionsViReal64", IVI_ERROR_ATTR_NOT_READABLE, 0, 1);
    EXPECT_EQ(raised([&] { reader.getAttributeViReal64(wrapper, "0", DIGISCAN_ATTR_VERTICAL_RANGE, &value); }).first,
              IVI_ERROR_ATTR_NOT_READABLE);
    SimIvi_InjectWarning("DigiscanSub_GetAttributeWithOptionsViReal64", 5, 0, 1);
    reader.getAttributeViReal64(wrapper, "0", DIGISCAN_ATTR_VERTICAL_RANGE, &value);
    EXPECT_EQ(pendingError(session.vi()).primary, 5);
}

TEST_F(Core, MissingDriverRaisesTheLoadersStatus) {
    miivi::IviWrapper wrapper(session.vi());
    impexp::GetDesiredAttributeHelper reader;
    ViInt32 value = 0;
    auto [code, document] = [&] {
        testsupport::RefusedLoads refused("Digiscan2u");
        return raised([&] { reader.getAttributeViInt32(wrapper, "", DIGISCAN_ATTR_MODEL_NUMBER, &value); });
    }();
    EXPECT_EQ(code, -52005);
    const char* debug = orverr::findMember(document.c_str(), "orvdynlib_debug");
    ASSERT_NE(debug, nullptr) << document;
    EXPECT_EQ(orverr::readStringMember(debug, "path").value_or(""), "Digiscan2u.dll");
}

// ---- settings captured at initialization ------------------------------------------------------

TEST(Settings, LanguageOutsideTheKnownOnesIsEnglish) {
    for (auto [setting, expected] : {std::pair<int, int>{7, 0}, {-1, 0}, {3, 3}, {5, 5}, {0, 0}}) {
        SimSession session("Simulate=1,DriverSetup=Language:" + std::to_string(setting));
        ASSERT_EQ(session.openStatus(), VI_SUCCESS);
        miivi::IviWrapper wrapper(session.vi());
        EXPECT_EQ(impexp_auxTemplate::readLanguage(wrapper), expected) << setting;
    }
}

TEST(Settings, OptionStringHasTheFourSettings) {
    SimSession plain("Simulate=1,RangeCheck=1,Cache=1,DriverSetup=");
    miivi::IviWrapper first(plain.vi());
    EXPECT_EQ(impexp_auxTemplate::readOptionString(first), "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=");
    SimSession mixed("Simulate=0,RangeCheck=1,Cache=0,DriverSetup=Model:X");
    miivi::IviWrapper second(mixed.vi());
    EXPECT_EQ(impexp_auxTemplate::readOptionString(second), "Simulate=0,RangeCheck=1,Cache=0,DriverSetup=Model:X");
    EXPECT_EQ(impexp_auxTemplate::readModelNumber(second), DIGISCAN_DEFAULT_MODEL);
}

TEST(Settings, MissingAttributeRaisesTheEngineStatus) {
    SimSession session("Simulate=1,DriverSetup=Omit:1199999");
    miivi::IviWrapper wrapper(session.vi());
    try {
        impexp_auxTemplate::readLanguage(wrapper);
        ADD_FAILURE() << "read of an absent attribute passed";
    } catch (const orverr::Exception& e) {
        EXPECT_LT(e.code(), 0);
    }
}

// ---- the session object -----------------------------------------------------------------------

TEST_F(Core, ObjectRegistersItselfUnderItsNameAndLeavesOnDestruction) {
    auto object = makeObject(4);
    const ViSession vi = session.vi();
    ViChar name[256] = {};
    ASSERT_EQ(Ivi_GetAttributeName(vi, kObjectAttribute, sizeof name, name), VI_SUCCESS);
    EXPECT_STREQ(name, "((1000000 + 100000) + 141L)");
    ViAddr address = nullptr;
    ASSERT_EQ(Ivi_GetAttributeViAddr(vi, nullptr, kObjectAttribute, 0, &address), VI_SUCCESS);
    EXPECT_EQ(address, static_cast<miivi::SessionBase*>(object.get()));

    miivi::IviWrapper wrapper(vi);
    EXPECT_EQ(&ImportExportSession::lookup(wrapper), object.get());
    EXPECT_EQ(miivi::languageAccessor().getLanguage(wrapper), 4u);
    EXPECT_EQ(object->sessionInformation().optionString, "Simulate=1");
    EXPECT_EQ(object->sessionInformation().modelNumber, 5122);
    EXPECT_EQ(object->sessionInformation().channels, "");

    object.reset();
    EXPECT_EQ(Ivi_AttributeIsAvailable(vi, kObjectAttribute), VI_FALSE);
    EXPECT_EQ(miivi::languageAccessor().getLanguage(wrapper), 0u);
    EXPECT_EQ(raised([&] { ImportExportSession::lookup(wrapper); }).first, -1074130544);
}

TEST_F(Core, SecondObjectIsRefusedAndTheFirstStays) {
    auto first = makeObject();
    auto [code, document] = raised([&] { makeObject(); });
    EXPECT_EQ(code, IVI_ERROR_ATTRIBUTE_ALREADY_EXISTS);
    miivi::IviWrapper wrapper(session.vi());
    EXPECT_EQ(&ImportExportSession::lookup(wrapper), first.get());
}

TEST_F(Core, RefusedAddLeavesNothingBehind) {
    SimIvi_InjectFailure("Ivi_AddAttributeViAddr", IVI_ERROR_OUT_OF_MEMORY, 0, 1);
    EXPECT_EQ(raised([&] { makeObject(); }).first, IVI_ERROR_OUT_OF_MEMORY);
    EXPECT_EQ(Ivi_AttributeIsAvailable(session.vi(), kObjectAttribute), VI_FALSE);
    EXPECT_EQ(SimIvi_CallCount("Ivi_DeleteAttribute"), 0);
}

TEST_F(Core, RefusedSetDeletesTheAddedAttribute) {
    SimIvi_InjectFailure("Ivi_SetAttributeViAddr", IVI_ERROR_INVALID_VALUE, 0, 1);
    EXPECT_EQ(raised([&] { makeObject(); }).first, IVI_ERROR_INVALID_VALUE);
    EXPECT_EQ(Ivi_AttributeIsAvailable(session.vi(), kObjectAttribute), VI_FALSE);
}

TEST_F(Core, FailedEnumerationUnregistersAgain) {
    // The first enumeration belongs to the import/export engine, the second to the save store.
    for (ViInt32 skip : {0, 1}) {
        SimIvi_ClearInjections();
        SimIvi_InjectFailure("Ivi_GetNumAttributes", IVI_ERROR_OUT_OF_MEMORY, skip, 1);
        EXPECT_EQ(raised([&] { makeObject(); }).first, IVI_ERROR_OUT_OF_MEMORY) << skip;
        EXPECT_EQ(Ivi_AttributeIsAvailable(session.vi(), kObjectAttribute), VI_FALSE) << skip;
    }
    SimIvi_ClearInjections();
    EXPECT_NO_THROW(makeObject());
}

TEST_F(Core, RefusedDeleteDoesNotStopDestruction) {
    auto object = makeObject();
    SimIvi_InjectFailure("Ivi_DeleteAttribute", IVI_ERROR_INVALID_SESSION_HANDLE, 0, 1);
    EXPECT_NO_THROW(object.reset());
    SimIvi_ClearInjections();
    Ivi_DeleteAttribute(session.vi(), kObjectAttribute);
}

TEST_F(Core, LookupChecksHandleSessionAttributeAndName) {
    miivi::IviWrapper none(0);
    EXPECT_FALSE(ImportExportSession::isRegistered(none));
    miivi::IviWrapper unknown(987654);
    EXPECT_FALSE(ImportExportSession::isRegistered(unknown));
    // Another module's attribute under our id but with another name is not ours.
    ASSERT_EQ(SimIvi_AddAttribute(session.vi(), "", kObjectAttribute, "someone else", IVI_VAL_ADDR, 0), VI_SUCCESS);
    miivi::IviWrapper wrapper(session.vi());
    EXPECT_FALSE(ImportExportSession::isRegistered(wrapper));
    auto [code, document] = raised([&] { ImportExportSession::lookup(wrapper); });
    EXPECT_EQ(code, -1074130544);
    EXPECT_EQ(orverr::readStringMember(document.c_str(), "error_constant").value_or(""), "(-1074130544L)");
    EXPECT_EQ(orverr::findMember(document.c_str(), "translator"), nullptr);
    EXPECT_EQ(miivi::languageAccessor().getLanguage(wrapper), 0u);
    Ivi_DeleteAttribute(session.vi(), kObjectAttribute);
}

}  // namespace
