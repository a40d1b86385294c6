// The UTF-8 and wide text conversions of the platform layer.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "common/platform/WideText.h"

TEST(WideText, RoundTripsAndReplacesMalformedInput) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e acute, euro sign, an emoji
    const std::wstring wide = platform::utf8ToWide(text);
#if WCHAR_MAX > 0xFFFF
    const std::wstring emoji{wchar_t(0x1F600)};
#else
    const std::wstring emoji{wchar_t(0xD83D), wchar_t(0xDE00)};  // a UTF-16 surrogate pair
#endif
    EXPECT_EQ((std::wstring{L'a', wchar_t(0xE9), wchar_t(0x20AC)} + emoji), wide);
    EXPECT_EQ(text, platform::wideToUtf8(wide));
    EXPECT_EQ(L"", platform::utf8ToWide(static_cast<const char*>(nullptr)));
    EXPECT_EQ("", platform::wideToUtf8(static_cast<const wchar_t*>(nullptr)));
    // A stray continuation byte, a truncated sequence, an overlong form and an encoded surrogate.
    EXPECT_EQ((std::wstring{wchar_t(0xFFFD), L'x'}), platform::utf8ToWide("\x80x"));
    EXPECT_EQ((std::wstring{L'x', wchar_t(0xFFFD)}), platform::utf8ToWide("x\xE2\x82"));
    EXPECT_EQ(std::wstring{wchar_t(0xFFFD)}, platform::utf8ToWide("\xC0\xAF"));
    EXPECT_EQ(std::wstring{wchar_t(0xFFFD)}, platform::utf8ToWide("\xED\xA0\x80"));
    EXPECT_EQ("\xEF\xBF\xBD", platform::wideToUtf8(std::wstring{wchar_t(0xD800)}));
}
