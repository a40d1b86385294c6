#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>

#include "explorer/SvsApi.h"

namespace {

uint32_t bytePrefix(BSTR text) {
    uint32_t prefix = 0;
    std::memcpy(&prefix, reinterpret_cast<const char*>(text) - sizeof(uint32_t), sizeof prefix);
    return prefix;
}

TEST(Bstr, CopiesTextBehindItsByteLength) {
    BSTR text = SysAllocString(L"Digiscan1");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, L"Digiscan1");
    EXPECT_EQ(SysStringLen(text), 9u);
    EXPECT_EQ(SysStringByteLen(text), 9u * sizeof(wchar_t));
    EXPECT_EQ(bytePrefix(text), 9u * sizeof(wchar_t));
    SysFreeString(text);
}

TEST(Bstr, EmptyAndNull) {
    BSTR empty = SysAllocString(L"");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], L'\0');
    EXPECT_EQ(SysStringLen(empty), 0u);
    SysFreeString(empty);
    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    EXPECT_EQ(SysStringByteLen(nullptr), 0u);
    SysFreeString(nullptr);
}

TEST(Bstr, LengthGivenKeepsEmbeddedNulsAndTerminates) {
    const wchar_t source[] = {L'a', L'\0', L'b', L'c'};
    BSTR text = SysAllocStringLen(source, 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(text[0], L'a');
    EXPECT_EQ(text[1], L'\0');
    EXPECT_EQ(text[2], L'b');
    EXPECT_EQ(text[3], L'\0');
    SysFreeString(text);

    BSTR zeroed = SysAllocStringLen(nullptr, 4);
    ASSERT_NE(zeroed, nullptr);
    EXPECT_EQ(SysStringLen(zeroed), 4u);
    for (int i = 0; i <= 4; ++i) EXPECT_EQ(zeroed[i], L'\0');
    SysFreeString(zeroed);
}

TEST(Bstr, LengthBeyondThePrefixIsRefused) {
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
    EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu / sizeof(wchar_t)), nullptr);
}

TEST(SvsUtils, GuidTextRoundTrip) {
    GUID id{};
    ASSERT_EQ(svsGuidFromString(L"{fd0cec60-8263-383f-d0af-c3369715499c}", &id), S_OK);
    EXPECT_EQ(id, SVS_CATEGORY_DEVICES);
    wchar_t text[39];
    ASSERT_EQ(svsGuidToString(&id, text, 39), S_OK);
    EXPECT_STREQ(text, L"{FD0CEC60-8263-383F-D0AF-C3369715499C}");
    EXPECT_EQ(svsGuidToString(&id, text, 38), E_INVALIDARG);
    EXPECT_EQ(svsGuidFromString(L"FD0CEC60-8263-383F-D0AF-C3369715499C", &id), S_OK);
    EXPECT_EQ(svsGuidFromString(L"{FD0CEC60-8263-383F-D0AF-C3369715499C", &id), E_INVALIDARG);
    EXPECT_EQ(svsGuidFromString(L"{FD0CEC60-8263-383F-D0AF-C3369715499X}", &id), E_INVALIDARG);
    EXPECT_EQ(svsGuidFromString(L"{FD0CEC60-8263-383F-D0AF-C3369715499C}x", &id), E_INVALIDARG);
    EXPECT_EQ(svsGuidFromString(nullptr, &id), E_POINTER);
}

TEST(SvsUtils, NumberText) {
    wchar_t text[11];
    ASSERT_EQ(svsU32ToString(4294967295u, text, 11), S_OK);
    EXPECT_STREQ(text, L"4294967295");
    EXPECT_EQ(svsU32ToString(4294967295u, text, 10), E_INVALIDARG);
    EXPECT_EQ(svsU32ToString(1, nullptr, 10), E_POINTER);
}

}  // namespace
