// What the exports record as the description of a refused document, in the session's language and
// its Windows code page.
#include <gtest/gtest.h>

#include "support/Portable.h"


#include <string>

#include "Helvar.h"
#include "common/platform/CodePage.h"
#include "IviEngine.h"
#include "helvar-spine/SimSession.h"

namespace {

using spine_test::pendingError;
using spine_test::SimSession;

// Through the platform's own code pages (iconv here, the system's tables on Windows).
std::string toUtf8(const std::string& text, const char* codePage) {
    std::string out;
    EXPECT_TRUE(platform::codePageToUtf8(static_cast<uint32_t>(std::stoul(codePage + 2)), text, out))
        << "not valid " << codePage;
    return out;
}

struct LanguageCase {
    int language;
    const char* codePage;
    const char* label;  // of the file path usage, in that language
    const char* reasonLabel;  // of the system's reason
};

class RecordedDescriptions : public testing::TestWithParam<LanguageCase> {};

TEST_P(RecordedDescriptions, AMissingFileIsDescribedByItsLabelledPathAndTheSystemsReason) {
    const LanguageCase& c = GetParam();
    SimSession sim("Simulate=1,DriverSetup=Language:" + std::to_string(c.language));
    ASSERT_EQ(Helvar_Initialize(sim.vi()), VI_SUCCESS);
    const std::string path = "/nonexistent/folder/config.json";
    EXPECT_EQ(Helvar_ImportAttributeConfigurationFile(sim.vi(), path.c_str()), HELVAR_ERROR_READING_FILE);
    const std::string recorded = pendingError(sim.vi()).elaboration;
    const std::string text = toUtf8(recorded, c.codePage);
    EXPECT_EQ(text, std::string(c.label) + ": " + path + "\n" + c.reasonLabel + ": " + testsupport::missingFileReason(true)) << text;
    Helvar_Close(sim.vi());
}

INSTANTIATE_TEST_SUITE_P(Languages, RecordedDescriptions,
                         testing::Values(LanguageCase{0, "CP1252", "File Path", "Additional Error Information"},
                                         // Korean has no term table of its own: English labels.
                                         LanguageCase{4, "CP949", "File Path", "Additional Error Information"}));

TEST(RecordedDescriptions, JapaneseLabelsAreDeliveredInCodePage932) {
    SimSession sim("Simulate=1,DriverSetup=Language:3");
    ASSERT_EQ(Helvar_Initialize(sim.vi()), VI_SUCCESS);
    EXPECT_EQ(Helvar_ImportAttributeConfigurationFile(sim.vi(), "/nonexistent/設定.json"), HELVAR_ERROR_READING_FILE);
    const std::string recorded = pendingError(sim.vi()).elaboration;
    const std::string text = toUtf8(recorded, "CP932");
    // The path's Japanese characters survive the round trip through the code page.
    EXPECT_NE(text.find("/nonexistent/設定.json"), std::string::npos) << text;
    EXPECT_EQ(text.find("File Path"), std::string::npos) << text;
    Helvar_Close(sim.vi());
}

TEST(RecordedDescriptions, ACharacterTheCodePageLacksBecomesAQuestionMark) {
    SimSession sim("Simulate=1,DriverSetup=Language:1");
    ASSERT_EQ(Helvar_Initialize(sim.vi()), VI_SUCCESS);
    EXPECT_EQ(Helvar_ImportAttributeConfigurationFile(sim.vi(), "/nonexistent/été-設.json"), HELVAR_ERROR_READING_FILE);
    const std::string text = toUtf8(pendingError(sim.vi()).elaboration, "CP1252");
    EXPECT_NE(text.find("/nonexistent/été-?.json"), std::string::npos) << text;
    Helvar_Close(sim.vi());
}

TEST(RecordedDescriptions, AStatusWithoutElaborationsIsRecordedWithAnEmptyDescription) {
    SimSession sim("Simulate=1");
    EXPECT_EQ(Helvar_Close(sim.vi()), HELVAR_ERROR_SESSION_NOT_INITIALIZED);
    EXPECT_EQ(pendingError(0).primary, HELVAR_ERROR_SESSION_NOT_INITIALIZED);
    EXPECT_EQ(pendingError(0).elaboration, "");
}

}  // namespace
