// Which document texts may reach a session.
#include <gtest/gtest.h>

#include <string>

#include "helvar/impexp/StrictText.h"

namespace impexp {
namespace {

TEST(StrictText, WellFormedUtf8WithoutNul) {
    struct Case {
        std::string text;
        bool strict;
    };
    const Case cases[] = {
        {"", true},
        {"plain ASCII", true},
        {"r\xC3\xA9glages \xE6\xB8\xAC\xE5\xAE\x9A \xF0\x9F\x93\x88", true},
        {"\xF4\x8F\xBF\xBF", true},             // U+10FFFF
        {"\xED\x9F\xBF", true},                 // U+D7FF, just below the surrogates
        {std::string("a\0b", 3), false},       // NUL
        {"\xC0\xAF", false},                    // overlong '/'
        {"\xE0\x80\xAF", false},                // overlong, three bytes
        {"\xF0\x80\x80\xAF", false},            // overlong, four bytes
        {"\xED\xA0\x80", false},                // a surrogate
        {"\xF4\x90\x80\x80", false},            // above U+10FFFF
        {"\xF5\x80\x80\x80", false},
        {"\xFF", false},
        {"\x80", false},                        // a continuation byte alone
        {"\xE6\xB8", false},                    // cut short at the end
        {"\xE6\xB8x", false},                   // cut short before ASCII
        {"\xC3", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.strict, isStrictText(c.text.data(), c.text.size())) << testing::PrintToString(c.text);
    }
}

}  // namespace
}  // namespace impexp
