// Helvar_CheckAttributeConfigurationBuffer: the import's rules that need no session, through the
// export, with the refusal recorded for the null handle.
#include <gtest/gtest.h>

#include <string>

#include "Helvar.h"
#include "support/SimSession.h"

namespace {

std::string document(const std::string& header, const std::string& entries) {
    return "{\"formatVersion\": 1, \"timeStamp\": \"\", \"session\": {\"channels\": \"\", \"optionString\": \"\"},"
           " \"devices\": [{\"modelNumber\": 5122}], " + header + ", \"attributes\": [" + entries + "]}";
}

const std::string kHeader = "\"oldestCompatibleFormatVersion\": 1, \"generatedBy\": {\"name\": \"H\", \"version\": \"4.5.5f0\"}";
const std::string kEntry = "{\"id\": 1250013, \"name\": \"L\", \"channel\": \"\", \"value\": 1}";

struct Case {
    const char* what;
    std::string text;
    ViStatus expected;
    const char* recorded;  // in the null handle's description, or null
};

class DocumentCheck : public testing::TestWithParam<Case> {};

TEST_P(DocumentCheck, RefusesWhatAnImportRefusesWithoutASession) {
    const Case& c = GetParam();
    spine_test::pendingError(VI_NULL);  // nothing left over from another case
    EXPECT_EQ(Helvar_CheckAttributeConfigurationBuffer(static_cast<ViInt32>(c.text.size()), c.text.c_str()), c.expected)
        << c.what;
    const spine_test::PendingError pending = spine_test::pendingError(VI_NULL);
    if (c.expected < 0) {
        EXPECT_EQ(pending.primary, c.expected) << c.what;
    }
    if (c.recorded) {
        EXPECT_NE(pending.elaboration.find(c.recorded), std::string::npos) << pending.elaboration;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocumentCheck,
    testing::Values(
        Case{"valid", document(kHeader, kEntry), VI_SUCCESS, nullptr},
        Case{"any model: the model belongs to a session",
             document(kHeader, kEntry).replace(document(kHeader, kEntry).find("5122"), 4, "4711"), VI_SUCCESS, nullptr},
        Case{"an extra $schema member", "{\"$schema\": \"x\", " + document(kHeader, kEntry).substr(1), VI_SUCCESS, nullptr},
        Case{"any value kind: types belong to a session", document(kHeader, "{\"id\": 1, \"name\": \"n\", \"channel\": \"\", \"value\": {}}"),
             VI_SUCCESS, nullptr},
        Case{"not well-formed", "{\"formatVersion\": 1,", HELVAR_ERROR_CORRUPTED_FORMAT, nullptr},
        Case{"schema", "{}", HELVAR_ERROR_INVALID_SCHEMA, "required"},
        Case{"version string", document("\"oldestCompatibleFormatVersion\": 1, \"generatedBy\": {\"name\": \"H\", \"version\": \"04.5.5f0\"}", kEntry),
             HELVAR_ERROR_INVALID_VERSION_FORMAT, "04.5.5f0"},
        Case{"entry id beyond 32 bits", document(kHeader, "{\"id\": 4294967296, \"name\": \"n\", \"channel\": \"\", \"value\": 1}"),
             HELVAR_ERROR_INVALID_SCHEMA, "#/attributes/0/id"},
        Case{"entry without a name", document(kHeader, "{\"id\": 1, \"channel\": \"\", \"value\": 1}"),
             HELVAR_ERROR_INVALID_SCHEMA, "#/attributes/0"},
        Case{"malformed channel list",
             "{\"formatVersion\": 1, \"timeStamp\": \"\", \"session\": {\"channels\": \",0\", \"optionString\": \"\"},"
             " \"devices\": [], " + kHeader + ", \"attributes\": []}",
             -1074134956, nullptr},
        Case{"newer library, otherwise readable: said last",
             document("\"oldestCompatibleFormatVersion\": 2, \"generatedBy\": {\"name\": \"H\", \"version\": \"4.5.5f0\"}", kEntry),
             HELVAR_ERROR_LIBRARY_OUT_OF_DATE, nullptr},
        Case{"newer library with a malformed version: the version first",
             document("\"oldestCompatibleFormatVersion\": 2, \"generatedBy\": {\"name\": \"H\", \"version\": \"x\"}", kEntry),
             HELVAR_ERROR_INVALID_VERSION_FORMAT, nullptr}));

TEST(DocumentCheckArguments, TakesSizesAsTheBufferImportDoes) {
    const std::string text = document(kHeader, kEntry);
    EXPECT_EQ(Helvar_CheckAttributeConfigurationBuffer(static_cast<ViInt32>(text.size() + 1), text.c_str()), VI_SUCCESS);
    EXPECT_EQ(Helvar_CheckAttributeConfigurationBuffer(-1, text.c_str()), HELVAR_ERROR_INVALID_VALUE);
    EXPECT_EQ(Helvar_CheckAttributeConfigurationBuffer(5, nullptr), HELVAR_ERROR_INVALID_VALUE);
    EXPECT_EQ(Helvar_CheckAttributeConfigurationBuffer(0, nullptr), HELVAR_ERROR_CORRUPTED_FORMAT);
}

}  // namespace
