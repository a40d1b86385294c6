// Version strings, time stamps and the embedded schema.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/schema.h>

#include <fstream>
#include <sstream>

#include "helvar/impexp/document/Schema.h"
#include "helvar/impexp/document/TimeStamp.h"
#include "helvar/impexp/document/VersionString.h"

namespace impexp {
namespace {

using document::parseVersionString;

TEST(VersionString, AcceptsValidStringsAndPacksThem) {
    EXPECT_EQ(parseVersionString("4.5.5f0"), 0x0455C000u);
    EXPECT_EQ(parseVersionString("0.0.0d0"), 0u);
    EXPECT_EQ(parseVersionString("255.15.15f16383"), 0xFFFFFFFFu);
    EXPECT_EQ(parseVersionString("1.2.3a4"), (1u << 24) | (2u << 20) | (3u << 16) | (1u << 14) | 4u);
    EXPECT_EQ(parseVersionString("1.2.3b10"), (1u << 24) | (2u << 20) | (3u << 16) | (2u << 14) | 10u);
    // Whatever follows the build is not examined.
    EXPECT_EQ(parseVersionString("4.5.5f0-beta"), 0x0455C000u);
    EXPECT_EQ(parseVersionString("4.5.5f12 x"), 0x0455C00Cu);
}

TEST(VersionString, RefusesMalformedStrings) {
    const char* invalid[] = {"04.5.5f0", "4.16.0f0", "256.0.0f0", "4.5.5x0", "4.5.5f16384", "4.05.5f0", "4.5.05f0",
                             "4.5.5f00", "4.5.5f01", "4.5.5F0",  "4.5f0",    "4.5.5f",   "4.5.5",       "",
                             ".5.5f0",   "4..5f0",   "4.5.5 f0", "-4.5.5f0", "4.5.5f99999999999999999999"};
    for (const char* text : invalid) {
        EXPECT_FALSE(parseVersionString(text)) << text;
    }
    EXPECT_FALSE(parseVersionString(nullptr));
}

TEST(TimeStamp, WritesMicrosecondsOnlyWhenNotZero) {
    UtcTime time{2026, 12, 7, 14, 45, 3, 120000};
    EXPECT_EQ(formatTimeStamp(time), "2026-12-07T14:45:03.120000");
    time.microseconds = 0;
    EXPECT_EQ(formatTimeStamp(time), "2026-12-07T14:45:03");
    time = UtcTime{987, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(formatTimeStamp(time), "0987-01-02T03:04:05.000006");
}

TEST(TimeStamp, TheClockGivesTheDocumentForm) {
    const std::string stamp = UtcTimeStampSource().now();
    // Digits where the form has 9s, the other characters as they stand.
    const std::string form = stamp.size() > 19 ? "9999-99-99T99:99:99.999999" : "9999-99-99T99:99:99";
    ASSERT_EQ(stamp.size(), form.size()) << stamp;
    for (size_t i = 0; i < form.size(); ++i) {
        EXPECT_TRUE(form[i] == '9' ? (stamp[i] >= '0' && stamp[i] <= '9') : stamp[i] == form[i]) << stamp;
    }
    EXPECT_EQ(stamp.find(".000000"), std::string::npos);
}

class Schema : public ::testing::Test {
protected:
    void SetUp() override {
        schemaDocument_.Parse(document::attributeConfigurationSchema());
        ASSERT_FALSE(schemaDocument_.HasParseError());
        schema_ = std::make_unique<rapidjson::SchemaDocument>(schemaDocument_);
    }

    bool validates(const char* text) {
        rapidjson::Document document;
        document.Parse(text);
        if (document.HasParseError()) return false;
        rapidjson::SchemaValidator validator(*schema_);
        return document.Accept(validator);
    }

    rapidjson::Document schemaDocument_;
    std::unique_ptr<rapidjson::SchemaDocument> schema_;
};

const char* const kMinimal =
    R"({"formatVersion":1,"oldestCompatibleFormatVersion":1,"timeStamp":"t","session":{"channels":"","optionString":""},)"
    R"("generatedBy":{"name":"n","version":"4.5.5f0"},"devices":[],"attributes":[]})";

TEST_F(Schema, IsTheShippedFile) {
    std::ifstream file(ORV_TEST_SOURCE_DIR "/data/attribute-configuration.schema.json", std::ios::binary);
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), document::attributeConfigurationSchema());
}

TEST_F(Schema, AcceptsMinimalAndExtendedDocuments) {
    EXPECT_TRUE(validates(kMinimal));
    EXPECT_TRUE(validates(
        R"({"formatVersion":7,"oldestCompatibleFormatVersion":2,"timeStamp":"t","extra":[1],)"
        R"("session":{"channels":"0","optionString":"","more":1},"generatedBy":{"name":"n","version":"v","x":null},)"
        R"("devices":[{"modelNumber":5,"serial":"s"}],)"
        R"("attributes":[{"id":1,"channel":"","value":{"any":"thing"}},{"id":2,"channel":"0","value":"NaN","name":"x"}]})"));
}

TEST_F(Schema, RefusesMissingMembersAndWrongTypes) {
    EXPECT_FALSE(validates(R"({"formatVersion":1})"));
    EXPECT_FALSE(validates("[]"));
    EXPECT_FALSE(validates(
        R"({"formatVersion":1.0,"oldestCompatibleFormatVersion":1,"timeStamp":"t","session":{"channels":"","optionString":""},)"
        R"("generatedBy":{"name":"n","version":"v"},"devices":[],"attributes":[]})"));
    EXPECT_FALSE(validates(
        R"({"formatVersion":1,"oldestCompatibleFormatVersion":1,"timeStamp":"t","session":{"channels":""},)"
        R"("generatedBy":{"name":"n","version":"v"},"devices":[],"attributes":[]})"));
    EXPECT_FALSE(validates(
        R"({"formatVersion":1,"oldestCompatibleFormatVersion":1,"timeStamp":"t","session":{"channels":"","optionString":""},)"
        R"("generatedBy":{"name":"n","version":"v"},"devices":[{"modelNumber":"1"}],"attributes":[]})"));
    EXPECT_FALSE(validates(
        R"({"formatVersion":1,"oldestCompatibleFormatVersion":1,"timeStamp":"t","session":{"channels":"","optionString":""},)"
        R"("generatedBy":{"name":"n","version":"v"},"devices":[],"attributes":[{"id":1,"channel":""}]})"));
    // A byte-order mark makes the text malformed JSON before the schema is asked.
    EXPECT_FALSE(validates((std::string("\xEF\xBB\xBF") + kMinimal).c_str()));
}

}  // namespace
}  // namespace impexp
