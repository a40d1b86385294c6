// The code-page conversions as Windows makes them, on every system.
#include "common/platform/CodePage.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct Conversion {
    const char* name;
    bool toUtf8;
    uint32_t codePage;
    std::string in;
    std::string out;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Conversion& c, std::ostream* os) { *os << c.name; }


class CodePageConversion : public ::testing::TestWithParam<Conversion> {};

TEST_P(CodePageConversion, ConvertsAsWindowsDoes) {
    const Conversion& c = GetParam();
    std::string out = "unchanged";
    ASSERT_TRUE(c.toUtf8 ? platform::codePageToUtf8(c.codePage, c.in, out)
                         : platform::utf8ToCodePage(c.codePage, c.in, out));
    EXPECT_EQ(out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageConversion,
    ::testing::Values(
        Conversion{"WesternToUtf8", true, 1252, "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
        Conversion{"Utf8ToWestern", false, 1252, "caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
        Conversion{"JapaneseToUtf8", true, 932, "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"},
        Conversion{"Utf8ToJapanese", false, 932, "\xE6\x97\xA5\xE6\x9C\xAC", "\x93\xFA\x96\x7B"},
        Conversion{"KoreanToUtf8", true, 949, "\xC7\xD1", "\xED\x95\x9C"},
        Conversion{"ChineseToUtf8", true, 936, "\xD6\xD0", "\xE4\xB8\xAD"},
        // One character the page lacks does not fail the whole text.
        Conversion{"LackedCharacterBecomesQuestionMark", false, 1252, "a\xE6\x97\xA5" "b", "a?b"},
        Conversion{"MalformedUtf8BecomesQuestionMark", false, 932, "a\xFF" "b\xC3", "a?b?"},
        Conversion{"UndefinedWesternByte", true, 1252, "a\x81" "b", "a?b"},
        Conversion{"HalfJapaneseCharacterAtEnd", true, 932, "a\x93", "a?"},
        Conversion{"EmptyText", true, 932, "", ""}),
    [](const ::testing::TestParamInfo<Conversion>& info) { return info.param.name; });

TEST(CodePage, UnknownCodePageLeavesOutputUnchanged) {
    std::string out = "unchanged";
    EXPECT_FALSE(platform::codePageToUtf8(1234, "x", out));
    EXPECT_FALSE(platform::utf8ToCodePage(65001, "x", out));
    EXPECT_EQ(out, "unchanged");
}

}  // namespace
