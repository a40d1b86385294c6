// Helvar_DescribeStatus of libHelvar.so: the meaning of any code in every language, the buffer
// size rules of the buffer exports, and unknown codes.
#include <gtest/gtest.h>

#include <string>

#include "Helvar.h"
#include "IviEngine.h"
#include "support/SimSession.h"

namespace {

using spine_test::pendingError;

// The text for code, asked for its size first; the status of the second call in result.
std::string describe(ViInt32 language, ViStatus code, ViStatus& result) {
    const ViStatus needed = Helvar_DescribeStatus(language, code, 0, nullptr);
    if (needed <= 0) {
        result = needed;
        return "";
    }
    std::string text(static_cast<std::size_t>(needed), 'x');
    result = Helvar_DescribeStatus(language, code, needed, &text[0]);
    EXPECT_EQ(text.back(), '\0');
    text.pop_back();
    EXPECT_EQ(text.size(), std::char_traits<char>::length(text.c_str())) << "a NUL inside the text";
    return text;
}

struct Meaning {
    ViInt32 language;
    ViStatus code;
    const char* start;  // UTF-8
};

const Meaning kMeanings[] = {
    {HELVAR_LANGUAGE_ENGLISH, HELVAR_ERROR_READING_FILE, "The file could not be read."},
    {HELVAR_LANGUAGE_JAPANESE, HELVAR_ERROR_READING_FILE, "ファイルを読み取れませんでした。"},
    {HELVAR_LANGUAGE_FRENCH, HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER, "Le document de configuration"},
    {HELVAR_LANGUAGE_GERMAN, HELVAR_ERROR_BUFFER_TOO_SMALL, "Der an den Export übergebene Puffer"},
    {HELVAR_LANGUAGE_KOREAN, HELVAR_ERROR_SESSION_NOT_INITIALIZED, "이 드라이버 세션"},
    {HELVAR_LANGUAGE_CHINESE_SIMPLIFIED, HELVAR_ERROR_CORRUPTED_FORMAT, "属性配置文档"},
    // Success, an engine status the library passes on, and an engine warning.
    {HELVAR_LANGUAGE_ENGLISH, VI_SUCCESS, "The operation completed successfully."},
    {HELVAR_LANGUAGE_KOREAN, VI_SUCCESS, "작업이 성공적으로"},
    {HELVAR_LANGUAGE_ENGLISH, IVI_ERROR_INVALID_SESSION_HANDLE, "The session handle"},
    {HELVAR_LANGUAGE_ENGLISH, IVI_WARN_NSUP_RESET, "Warning:"},
};

TEST(DescribeStatus, GivesTheMeaningOfACodeInEachLanguageAsUtf8) {
    for (const Meaning& meaning : kMeanings) {
        ViStatus result = -1;
        const std::string text = describe(meaning.language, meaning.code, result);
        EXPECT_EQ(result, VI_SUCCESS) << meaning.code;
        EXPECT_EQ(text.rfind(meaning.start, 0), 0u) << meaning.language << " " << meaning.code << ": " << text;
    }
}

TEST(DescribeStatus, DefaultLanguageIsTheProcesssOne) {
    // No graphical run-time in this process: English.
    ViStatus english = -1;
    ViStatus byDefault = -1;
    EXPECT_EQ(describe(HELVAR_LANGUAGE_DEFAULT, HELVAR_ERROR_READING_FILE, byDefault),
              describe(HELVAR_LANGUAGE_ENGLISH, HELVAR_ERROR_READING_FILE, english));
    EXPECT_EQ(byDefault, VI_SUCCESS);
}

TEST(DescribeStatus, UnknownCodeIsASentenceOfItsLanguageAndAWarning) {
    std::string english;
    for (ViInt32 language = 0; language <= 5; ++language) {
        ViStatus result = 0;
        const std::string text = describe(language, 12345, result);
        EXPECT_EQ(result, HELVAR_WARN_UNKNOWN_STATUS) << language;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find('{'), std::string::npos) << text;
        if (language == 0) english = text;
        else EXPECT_NE(text, english) << language;
        // The sentence is the explanation of the warning itself.
        ViStatus own = -1;
        EXPECT_EQ(describe(language, HELVAR_WARN_UNKNOWN_STATUS, own), text);
        EXPECT_EQ(own, VI_SUCCESS);
    }
}

class DescribeStatusRefusals : public ::testing::Test {
protected:
    void SetUp() override { Ivi_ClearErrorInfo(0); }
    void TearDown() override { Ivi_ClearErrorInfo(0); }
};

TEST_F(DescribeStatusRefusals, SizesFollowTheBufferExports) {
    const ViStatus needed = Helvar_DescribeStatus(0, HELVAR_ERROR_WRITING_FILE, 0, nullptr);
    ASSERT_GT(needed, 1);
    std::string buffer(static_cast<std::size_t>(needed) + 8, 'x');
    const std::string untouched = buffer;
    EXPECT_EQ(Helvar_DescribeStatus(0, HELVAR_ERROR_WRITING_FILE, needed - 1, &buffer[0]), HELVAR_ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(buffer, untouched);
    EXPECT_EQ(pendingError(0).primary, HELVAR_ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(Helvar_DescribeStatus(0, HELVAR_ERROR_WRITING_FILE, needed + 8, &buffer[0]), VI_SUCCESS);
    EXPECT_EQ(std::char_traits<char>::length(buffer.c_str()), static_cast<std::size_t>(needed) - 1);
    // An unknown code is sized the same way; only the full call warns.
    const ViStatus unknownNeeded = Helvar_DescribeStatus(0, 777, 0, nullptr);
    EXPECT_GT(unknownNeeded, 1);
}

struct Refusal {
    const char* name;
    ViInt32 language;
    ViInt32 size;
    bool nullBuffer;
};

TEST_F(DescribeStatusRefusals, BadArgumentsAreInvalidValuesRecordedAgainstTheNullHandle) {
    const Refusal refusals[] = {
        {"language 6", 6, 64, false},
        {"language -2", -2, 64, false},
        {"negative size", 0, -1, false},
        {"null buffer with a size", 0, 64, true},
    };
    for (const Refusal& refusal : refusals) {
        Ivi_ClearErrorInfo(0);
        ViChar buffer[64] = {'x'};
        EXPECT_EQ(Helvar_DescribeStatus(refusal.language, HELVAR_ERROR_READING_FILE, refusal.size,
                                        refusal.nullBuffer ? nullptr : buffer),
                  HELVAR_ERROR_INVALID_VALUE)
            << refusal.name;
        EXPECT_EQ(buffer[0], 'x') << refusal.name;
        EXPECT_EQ(pendingError(0).primary, HELVAR_ERROR_INVALID_VALUE) << refusal.name;
    }
}

}  // namespace
