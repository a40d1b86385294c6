// The written document: layout, value encodings, number formats, escaping, and that what is
// written parses, validates against the embedded schema and reads back to the same values.
#include <gtest/gtest.h>
#include <rapidjson/document.h>
#include <rapidjson/schema.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <limits>
#include <string>

#include "helvar/impexp/document/DocumentRenderer.h"
#include "helvar/impexp/document/NonFiniteReal.h"
#include "helvar/impexp/document/Schema.h"

namespace impexp {
namespace {

DocumentHeader exampleHeader() {
    DocumentHeader header;
    header.timeStamp = "2026-12-07T14:45:03.120000";
    header.modelNumber = 1000;
    return header;
}

std::string render(const DocumentEntriesInterface& entries, const DocumentHeader& header = exampleHeader()) {
    return DocumentRenderer().render(header, entries);
}

// The text between "\"value\": " and the end of its line, for a document with one entry.
std::string renderedValue(const DocumentEntryList& entries) {
    const std::string text = render(entries);
    const std::string key = "\"value\": ";
    const size_t start = text.find(key);
    if (start == std::string::npos) return "<none>";
    const size_t end = text.find('\n', start);
    return text.substr(start + key.size(), end - start - key.size());
}

std::string renderedReal(double value) {
    DocumentEntryList entries;
    entries.addReal64(1, "R", "", value);
    return renderedValue(entries);
}

std::string renderedString(const std::string& value) {
    DocumentEntryList entries;
    entries.addString(1, "S", "", value);
    return renderedValue(entries);
}

bool validates(const std::string& text) {
    rapidjson::Document schemaDocument;
    schemaDocument.Parse(document::attributeConfigurationSchema());
    EXPECT_FALSE(schemaDocument.HasParseError());
    rapidjson::SchemaDocument schema(schemaDocument);
    rapidjson::Document document;
    document.Parse(text.c_str());
    if (document.HasParseError()) return false;
    rapidjson::SchemaValidator validator(schema);
    return document.Accept(validator);
}

TEST(DocumentRenderer, WritesTheExampleByteForByte) {
    DocumentEntryList entries;
    entries.addInt32(1150001, "EXAMPLE_INT_ATTRIBUTE", "", 5);
    entries.addReal64(1150002, "EXAMPLE_REAL_ATTRIBUTE", "0", 0.25);
    const char* expected =
        "{\n"
        "   \"formatVersion\": 1,\n"
        "   \"oldestCompatibleFormatVersion\": 1,\n"
        "   \"timeStamp\": \"2026-12-07T14:45:03.120000\",\n"
        "   \"session\": {\n"
        "      \"channels\": \"\",\n"
        "      \"optionString\": \"\"\n"
        "   },\n"
        "   \"generatedBy\": {\n"
        "      \"name\": \"Helvar.dll\",\n"
        "      \"version\": \"4.5.5f0\"\n"
        "   },\n"
        "   \"devices\": [\n"
        "      {\n"
        "         \"modelNumber\": 1000\n"
        "      }\n"
        "   ],\n"
        "   \"attributes\": [\n"
        "      {\n"
        "         \"id\": 1150001,\n"
        "         \"name\": \"EXAMPLE_INT_ATTRIBUTE\",\n"
        "         \"channel\": \"\",\n"
        "         \"value\": 5\n"
        "      },\n"
        "      {\n"
        "         \"id\": 1150002,\n"
        "         \"name\": \"EXAMPLE_REAL_ATTRIBUTE\",\n"
        "         \"channel\": \"0\",\n"
        "         \"value\": 0.25\n"
        "      }\n"
        "   ]\n"
        "}";
    const std::string text = render(entries);
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(validates(text));

    // The shipped example is that same text.
    std::ifstream example(ORV_TEST_SOURCE_DIR "/data/examples/attribute-configuration.example.json", std::ios::binary);
    ASSERT_TRUE(example);
    std::stringstream shipped;
    shipped << example.rdbuf();
    EXPECT_EQ(shipped.str(), expected);
}

TEST(DocumentRenderer, WritesEmptyAttributesOnTheKeyLineAndTheHeaderVerbatim) {
    DocumentHeader header = exampleHeader();
    header.channels = "0-1";
    header.optionString = "Simulate=1, DriverSetup=Model:X";
    header.modelNumber = -7;
    const std::string text = render(DocumentEntryList(), header);
    EXPECT_NE(text.find("\n   \"attributes\": []\n}"), std::string::npos) << text;
    EXPECT_EQ(text.back(), '}');
    EXPECT_NE(text.find("\"channels\": \"0-1\""), std::string::npos);
    EXPECT_NE(text.find("\"optionString\": \"Simulate=1, DriverSetup=Model:X\""), std::string::npos);
    EXPECT_NE(text.find("\"modelNumber\": -7\n"), std::string::npos);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.find('\t'), std::string::npos);
    EXPECT_TRUE(validates(text));
}

TEST(DocumentRenderer, EncodesEachValueTypeByItsEngineType) {
    DocumentEntryList entries;
    entries.addInt32(1, "I32", "", std::numeric_limits<int32_t>::min());
    entries.addInt64(2, "I64", "", std::numeric_limits<int64_t>::min());
    entries.addSession(3, "S", "", 0xFFFFFFFFu);
    entries.addBoolean(4, "B0", "", 0);
    entries.addBoolean(5, "B2", "", 2);
    entries.addString(6, "T", "A", "text");
    entries.addWithoutValue(4294967295u, "ADDR", "");
    const std::string text = render(entries);
    EXPECT_NE(text.find("\"value\": -2147483648\n"), std::string::npos);
    EXPECT_NE(text.find("\"value\": -9223372036854775808\n"), std::string::npos);
    EXPECT_NE(text.find("\"value\": 4294967295\n"), std::string::npos);
    EXPECT_NE(text.find("\"name\": \"B0\",\n         \"channel\": \"\",\n         \"value\": false\n"), std::string::npos);
    EXPECT_NE(text.find("\"name\": \"B2\",\n         \"channel\": \"\",\n         \"value\": true\n"), std::string::npos);
    EXPECT_NE(text.find("\"channel\": \"A\",\n         \"value\": \"text\"\n"), std::string::npos);
    // An address has no JSON form: identity only, and the entry fails the schema on import.
    EXPECT_NE(text.find("\"id\": 4294967295,\n         \"name\": \"ADDR\",\n         \"channel\": \"\"\n      }"),
              std::string::npos)
        << text;
    EXPECT_FALSE(validates(text));
}

TEST(DocumentRenderer, WritesShortestRoundTripDoubles) {
    EXPECT_EQ(renderedReal(2.0), "2.0");
    EXPECT_EQ(renderedReal(0.1), "0.1");
    EXPECT_EQ(renderedReal(1e-7), "1e-7");
    EXPECT_EQ(renderedReal(1.0), "1.0");
    EXPECT_EQ(renderedReal(1e20), "100000000000000000000.0");
    EXPECT_EQ(renderedReal(1e21), "1e21");
    EXPECT_EQ(renderedReal(1e30), "1e30");
    EXPECT_EQ(renderedReal(12.34), "12.34");
    EXPECT_EQ(renderedReal(0.001234), "0.001234");
    EXPECT_EQ(renderedReal(1.234e-7), "1.234e-7");
    EXPECT_EQ(renderedReal(0.0), "0.0");
    EXPECT_EQ(renderedReal(-0.0), "-0.0");
    EXPECT_EQ(renderedReal(-2.5), "-2.5");
    // The shortest-digits writer picks ...569e23 here; both it and ...568e23 read back to the same double.
    const std::string big = renderedReal(123456789012345678901234.0);
    EXPECT_EQ(big, "1.2345678901234569e23");
    EXPECT_EQ(std::stod(big), 123456789012345678901234.0);
    EXPECT_EQ(std::stod("1.2345678901234568e23"), 123456789012345678901234.0);
}

TEST(DocumentRenderer, EveryWrittenDoubleReadsBackExactly) {
    const double values[] = {0.1, 1.0 / 3.0, 5e-324, std::numeric_limits<double>::max(), -1.7976931348623157e308,
                             2.2250738585072014e-308, 9007199254740993.0, 123.456e-10};
    for (double value : values) {
        rapidjson::Document document;
        const std::string text = renderedReal(value);
        document.Parse<rapidjson::kParseFullPrecisionFlag>(text.c_str());
        ASSERT_FALSE(document.HasParseError()) << text;
        EXPECT_EQ(document.GetDouble(), value) << text;
    }
}

TEST(DocumentRenderer, WritesNonFiniteRealsAsStringsThatReadBack) {
    EXPECT_EQ(renderedReal(std::numeric_limits<double>::quiet_NaN()), "\"NaN\"");
    EXPECT_EQ(renderedReal(std::numeric_limits<double>::infinity()), "\"Infinity\"");
    EXPECT_EQ(renderedReal(-std::numeric_limits<double>::infinity()), "\"-Infinity\"");

    DocumentEntryList entries;
    entries.addReal64(1, "N", "", std::nan(""));
    entries.addReal64(2, "P", "", HUGE_VAL);
    entries.addReal64(3, "M", "", -HUGE_VAL);
    const std::string text = render(entries);
    ASSERT_TRUE(validates(text));
    rapidjson::Document document;
    document.Parse(text.c_str());
    const rapidjson::Value& attributes = document["attributes"];
    EXPECT_TRUE(std::isnan(*document::parseNonFiniteReal(attributes[0]["value"].GetString())));
    EXPECT_EQ(*document::parseNonFiniteReal(attributes[1]["value"].GetString()), HUGE_VAL);
    EXPECT_EQ(*document::parseNonFiniteReal(attributes[2]["value"].GetString()), -HUGE_VAL);
    EXPECT_FALSE(document::parseNonFiniteReal("nan"));
    EXPECT_FALSE(document::parseNonFiniteReal("+Infinity"));
    EXPECT_EQ(document::nonFiniteRealText(1.5), nullptr);
}

TEST(DocumentRenderer, EscapesStringsByteForByte) {
    EXPECT_EQ(renderedString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(renderedString("\b\t\n\f\r"), "\"\\b\\t\\n\\f\\r\"");
    EXPECT_EQ(renderedString(std::string("\x01\x1f\x0b", 3)), "\"\\u0001\\u001F\\u000B\"");
    EXPECT_EQ(renderedString(std::string("\0x", 2)), "\"\\u0000x\"");
    EXPECT_EQ(renderedString("a/b\x7f"), "\"a/b\x7f\"");
    // Non-ASCII bytes pass unchanged, valid UTF-8 or not.
    EXPECT_EQ(renderedString("K\xC3\xA4nal \xE6\x97\xA5"), "\"K\xC3\xA4nal \xE6\x97\xA5\"");
    EXPECT_EQ(renderedString("\xFF\xFE"), "\"\xFF\xFE\"");

    DocumentHeader header = exampleHeader();
    header.optionString = "Driver\tSetup=\"x\"";
    EXPECT_NE(render(DocumentEntryList(), header).find("\"optionString\": \"Driver\\tSetup=\\\"x\\\"\""),
              std::string::npos);
}

TEST(DocumentRenderer, KeepsEntryOrderAndStringValuesAfterTheListGrows) {
    DocumentEntryList entries;
    for (int i = 0; i < 100; ++i) {
        entries.addString(static_cast<uint32_t>(i), "N" + std::to_string(i), std::to_string(i % 4), "v" + std::to_string(i));
    }
    rapidjson::Document document;
    document.Parse(render(entries).c_str());
    ASSERT_FALSE(document.HasParseError());
    const rapidjson::Value& attributes = document["attributes"];
    ASSERT_EQ(attributes.Size(), 100u);
    for (rapidjson::SizeType i = 0; i < 100; ++i) {
        EXPECT_EQ(attributes[i]["id"].GetUint(), i);
        EXPECT_EQ(std::string(attributes[i]["value"].GetString()), "v" + std::to_string(i));
        EXPECT_EQ(std::string(attributes[i]["channel"].GetString()), std::to_string(i % 4));
    }
}

}  // namespace
}  // namespace impexp
