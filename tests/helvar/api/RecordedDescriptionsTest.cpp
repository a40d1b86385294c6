// What the exports record as the description of a refused document, in the session's language and
// its Windows code page.
#include <gtest/gtest.h>

#include "support/Portable.h"


#include <string>

#include "Helvar.h"
#include "common/platform/CodePage.h"
#include "IviEngine.h"
#include "support/SimSession.h"

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
    const char* separator;    // between label and value
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
    EXPECT_EQ(text, std::string(c.label) + c.separator + path + "\n" + c.reasonLabel + c.separator +
                        testsupport::missingFileReason(true))
        << text;
    Helvar_Close(sim.vi());
}

INSTANTIATE_TEST_SUITE_P(Languages, RecordedDescriptions,
                         testing::Values(LanguageCase{0, "CP1252", "File Path", "Additional Error Information", ": "},
                                         LanguageCase{1, "CP1252", "Chemin du fichier",
                                                      "Informations supplémentaires sur l'erreur", " : "},
                                         LanguageCase{2, "CP1252", "Dateipfad", "Zusätzliche Fehlerinformationen", ": "},
                                         LanguageCase{3, "CP932", "ファイルパス", "エラーの追加情報", ": "},
                                         LanguageCase{4, "CP949", "파일 경로", "추가 오류 정보", ": "},
                                         LanguageCase{5, "CP936", "文件路径", "附加错误信息", ": "}),
                         [](const testing::TestParamInfo<LanguageCase>& info) {
                             return "Language" + std::to_string(info.param.language);
                         });

struct RefusalCase {
    int language;
    const char* codePage;
    const char* expected;  // the description of a document only a newer library reads
};

class RefusedDocument : public testing::TestWithParam<RefusalCase> {};

// Each label names the value beside it, in the session's language.
TEST_P(RefusedDocument, IsDescribedByTrueTranslatedLabels) {
    const RefusalCase& c = GetParam();
    SimSession sim("Simulate=1,DriverSetup=Language:" + std::to_string(c.language));
    ASSERT_EQ(Helvar_Initialize(sim.vi()), VI_SUCCESS);
    const ViStatus size = Helvar_ExportAttributeConfigurationBuffer(sim.vi(), 0, nullptr);
    ASSERT_GT(size, 0);
    std::string document(static_cast<std::size_t>(size), '\0');
    ASSERT_EQ(Helvar_ExportAttributeConfigurationBuffer(sim.vi(), size, &document[0]), VI_SUCCESS);
    const std::string oldest = "\"oldestCompatibleFormatVersion\": 1";
    ASSERT_NE(document.find(oldest), std::string::npos);
    document.replace(document.find(oldest), oldest.size(), "\"oldestCompatibleFormatVersion\": 2");
    EXPECT_EQ(Helvar_ImportAttributeConfigurationBuffer(sim.vi(), static_cast<ViInt32>(document.size()), document.c_str()),
              HELVAR_ERROR_LIBRARY_OUT_OF_DATE);
    EXPECT_EQ(toUtf8(pendingError(sim.vi()).elaboration, c.codePage), c.expected);
    Helvar_Close(sim.vi());
}

INSTANTIATE_TEST_SUITE_P(
    Languages, RefusedDocument,
    testing::Values(
        RefusalCase{0, "CP1252", "Configuration Oldest Compatible Version: 2\nConfiguration Expected Version: 1"},
        RefusalCase{1, "CP1252",
                    "Version compatible la plus ancienne de la configuration : 2\n"
                    "Version de configuration attendue : 1"},
        RefusalCase{2, "CP1252", "Älteste kompatible Version der Konfiguration: 2\nErwartete Version der Konfiguration: 1"},
        RefusalCase{3, "CP932", "構成の互換性のある最も古いバージョン: 2\n想定される構成バージョン: 1"},
        RefusalCase{4, "CP949", "구성의 가장 오래된 호환 버전: 2\n예상 구성 버전: 1"},
        RefusalCase{5, "CP936", "配置的最早兼容版本: 2\n预期的配置版本: 1"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return "Language" + std::to_string(info.param.language); });

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
