#include <gtest/gtest.h>

#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/JsonCursor.h"
#include "common/orverr/JsonReader.h"
#include "common/orverr/Raise.h"
#include "common/orverr/Status.h"

using namespace orverr;

TEST(Writer, FileReaderDocumentHasTheExactLayout) {
    Status status;
    const int line = __LINE__ + 1;
    ORVERR_RAISE_INTO(status, codes::kErrReadingFile).usage("kUsageTypeFilePath", "/data/config.json");
    const std::string expected =
        std::string("{\"error_constant\":\"ivierrors::ERR_READING_FILE\",\"file\":\"") + __FILE__ +
        "\",\"line\":" + std::to_string(line) +
        ",\"component\":\"Helvar\",\"translator\":\"mxlator_Digiscan\",\"translator_info\":{\"is_debug\":\"0\","
        "\"version\":1,\"ordered_data\":[{\"type\":\"usage\",\"usage\":\"kUsageTypeFilePath\","
        "\"value\":\"/data/config.json\",\"value_type\":\"string\"}]}}";
    EXPECT_EQ(status.text(), expected);
    EXPECT_EQ(status.code, -1074135037);
}

TEST(Writer, ValueTypesAndItemsInRaiseOrder) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kBufferTooSmall)
        .usageUInt64("kUsageTypeMinValue", 18446744073709551615ull)
        .usageUInt32("kUsageTypeInvalidValue", 4294967295u)
        .usageInt32("impexp_kUsageTypeExpectedModelNumber", -5)
        .comment("Null parameter received.");
    const std::string text = status.text();
    const auto at = [&](const char* s) { return text.find(s); };
    const auto u64 = at("{\"type\":\"usage\",\"usage\":\"kUsageTypeMinValue\",\"value\":\"18446744073709551615\",\"value_type\":\"uint64_t\"}");
    const auto u32 = at("{\"type\":\"usage\",\"usage\":\"kUsageTypeInvalidValue\",\"value\":4294967295,\"value_type\":\"uint32_t\"}");
    const auto i32 = at("\"value\":-5,\"value_type\":\"int32_t\"}");
    const auto comment = at("{\"type\":\"comment\",\"comment\":\"Null parameter received.\"}]}}");
    ASSERT_NE(u64, std::string::npos) << text;
    ASSERT_NE(u32, std::string::npos) << text;
    ASSERT_NE(i32, std::string::npos) << text;
    ASSERT_NE(comment, std::string::npos) << text;
    EXPECT_LT(u64, u32);
    EXPECT_LT(u32, i32);
    EXPECT_LT(i32, comment);
}

TEST(Writer, EscapesControlCharactersButNotSlashOrHighBytes) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kErrReadingFile).usage("kUsageTypeFilePath", "a/b\x01\x7f\"\\\b\t\n\f\r\xc3\xa9");
    const std::string text = status.text();
    EXPECT_NE(text.find("\"value\":\"a/b\\u0001\\u007f\\\"\\\\\\b\\t\\n\\f\\r\xc3\xa9\""), std::string::npos) << text;
    EXPECT_EQ(escapedLength("a/\x01"), 8u);
    // The reader gives the original text back.
    const char* data = findMember(status.json, "translator_info");
    ASSERT_NE(data, nullptr);
}

TEST(Writer, GrowsFromFiveHundredTwelveByDoubling) {
    Status status;
    Raise raise(status, codes::kCorruptedFormat, "f", 1, "Helvar");
    EXPECT_EQ(status.capacity, 512u);
    const std::string chunk(300, 'x');
    raise.comment(chunk.c_str());
    EXPECT_EQ(status.capacity, 1024u);
    raise.comment(chunk.c_str()).comment(chunk.c_str());
    EXPECT_EQ(status.capacity, 2048u);
    // Still one well-formed document holding all three comments.
    ASSERT_NE(documentEnd(status.json), nullptr);
    EXPECT_EQ(documentEnd(status.json) + 1, status.json + std::string(status.json).size());
    size_t count = 0;
    for (auto p = std::string(status.json).find(chunk); p != std::string::npos; p = std::string(status.json).find(chunk, p + 1)) ++count;
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(status.json[status.capacity - 1], 'J');
}

TEST(Writer, FailedGrowthKeepsTheCodeAndWhatWasWritten) {
    Status status;
    // An allocator that never grows past the first buffer.
    status.reallocate = [](Status& s, uint32_t n) { return n > 512 ? false : defaultReallocate(s, n); };
    Raise raise(status, codes::kCorruptedFormat, "f", 7, "Helvar");
    const std::string big(600, 'y');
    raise.comment(big.c_str()).usage("kUsageTypeFilePath", "later");
    EXPECT_EQ(status.code, codes::kCorruptedFormat.code);
    EXPECT_EQ(status.capacity, 512u);
    const std::string text = status.text();
    EXPECT_EQ(text.find(big), std::string::npos);
    EXPECT_NE(text.find("\"line\":7"), std::string::npos);
    EXPECT_NE(documentEnd(status.json), nullptr);
}

TEST(Writer, GrowthRefusedAtTheLimit) {
    Status status;
    status.capacity = 0x40000001u;  // 2 * capacity - 4 reaches 0x7FFFFFFD
    char fake[] = "{}";
    status.json = fake;
    JsonCursor cursor{fake + 1, &growDocument, &status};
    EXPECT_FALSE(growDocument(cursor).valid());
    status.json = nullptr;  // not ours to free
    status.capacity = 0;
}

TEST(Writer, ElaborationsOfAnotherTranslatorAreNotMixedIn) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kCorruptedFormat);
    addString(topLevelCursor(status), "translator", "mxlator_Other");
    const std::string before = status.text();
    EXPECT_FALSE(elaborationCursor(status).valid());
    EXPECT_EQ(status.text(), before);
}

TEST(Writer, ElaborationCursorReusesAnExistingList) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kCorruptedFormat).comment("one");
    addComment(elaborationCursor(status), "two");
    const std::string text = status.text();
    EXPECT_NE(text.find("[{\"type\":\"comment\",\"comment\":\"one\"},{\"type\":\"comment\",\"comment\":\"two\"}]"), std::string::npos) << text;
    EXPECT_EQ(text.find("translator_info", text.find("translator_info") + 1), std::string::npos);
}

TEST(Writer, InsertAtTheFrontOfAContainer) {
    Status status;
    JsonCursor top = topLevelCursor(status);
    addString(top, "b", "2");
    JsonCursor front{status.json, &growDocument, &status};
    addInt32(front, "a", 1);
    EXPECT_STREQ(status.json, "{\"a\":1,\"b\":\"2\"}");
}

TEST(Reader, FindsMembersAndReadsValues) {
    const char* doc = "{ \"a\" : {\"x\":[1,\"]\"]}, \"n\\u0061me\":\"v\\u00e9\\n\", \"line\": -42, \"f\": 1.5 }";
    EXPECT_EQ(readIntegerMember(doc, "line"), -42);
    EXPECT_EQ(readStringMember(doc, "name"), std::string("v\xc3\xa9\n"));
    EXPECT_FALSE(readIntegerMember(doc, "f").has_value());
    EXPECT_FALSE(readIntegerMember(doc, "missing").has_value());
    const char* a = findMember(doc, "a");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::string(a, skipValue(a)), "{\"x\":[1,\"]\"]}");
    EXPECT_EQ(skipValue(findMember("{\"a\":[1,", "a")), nullptr);
    EXPECT_EQ(documentEnd(const_cast<char*>("[1,2")), nullptr);
}
