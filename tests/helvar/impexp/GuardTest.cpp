// The pre-scan that keeps pathological documents away from the parser and the validator.
#include <gtest/gtest.h>

#include "StatusView.h"
#include "helvar/impexp/JSONParser.h"
#include "helvar/impexp/UntrustedJsonGuard.h"

using namespace impexp;

namespace {

bool isWithinJsonLimits(const char* text) { return scanUntrustedJson(text).withinLimits; }

TEST(UntrustedJsonGuardTest, SoundTextsPass) {
    EXPECT_TRUE(isWithinJsonLimits("{\"a\": [1, -2.5e-7, 1.2345678901234568e23, 0.0, -0.0]}"));
    EXPECT_TRUE(isWithinJsonLimits("{\"s\": \"[[[[[[ 1e999999999 \\\" ]]]\"}"));
    EXPECT_TRUE(isWithinJsonLimits((std::string(64, '[') + std::string(64, ']')).c_str()));
    EXPECT_TRUE(isWithinJsonLimits("1e0000000000000000000005"));
}

TEST(UntrustedJsonGuardTest, DeepNestingAndMonstrousNumbersAreStopped) {
    EXPECT_FALSE(isWithinJsonLimits((std::string(65, '[') + std::string(65, ']')).c_str()));
    EXPECT_FALSE(isWithinJsonLimits(std::string(100000, '{').c_str()));
    EXPECT_FALSE(isWithinJsonLimits(("[" + std::string(801, '1') + "]").c_str()));
    EXPECT_FALSE(isWithinJsonLimits(("[0." + std::string(900, '0') + "1]").c_str()));
    EXPECT_FALSE(isWithinJsonLimits("[1e10000]"));
    EXPECT_FALSE(isWithinJsonLimits("[1e-2147483649]"));
    EXPECT_FALSE(isWithinJsonLimits("[1.5E+99999999999999999999]"));
}

// The same pass says whether the parser must check the encoding: any byte with its high bit,
// inside a string, right after a backslash or outside strings, is found.
TEST(UntrustedJsonGuardTest, BytesBeyondAsciiAreFoundWhereverTheyStand) {
    const struct {
        const char* text;
        bool nonAscii;
    } cases[] = {
        {"{\"a\": [1, \"b\\\"c\", true]}", false},
        {"{\"a\": \"\xc3\xa9\"}", true},
        {"{\"\xff\": 1}", true},
        {"{\"a\": \"\\\xc3\xa9\"}", true},
        {"{\"a\": 1\xc3\xa9}", true},
        {"[\xe2\x80\x8b]", true},
    };
    for (const auto& c : cases) {
        const JsonScan scan = scanUntrustedJson(c.text);
        EXPECT_TRUE(scan.withinLimits) << c.text;
        EXPECT_EQ(c.nonAscii, scan.nonAscii) << c.text;
    }
}

TEST(UntrustedJsonGuardTest, TheParserReportsAStoppedTextAsCorrupted) {
    JSONParser parser;
    for (const std::string& text : {std::string(200000, '['), std::string("{\"a\": 1e-2147483649}"), "[" + std::string(5000, '9') + "]"}) {
        const impexp_test::StatusView view = impexp_test::raised([&] { parser.parse(text.c_str()); });
        EXPECT_EQ(-1074100298, view.code);
        EXPECT_EQ("errors::corruptedFormat", view.constant);
    }
}

}  // namespace
