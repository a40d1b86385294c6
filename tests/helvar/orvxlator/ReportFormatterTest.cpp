// The plain-text report: sections, item styles, nested errors and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "common/orverr/JsonReader.h"
#include "support/FakeSession.h"
#include "helvar/orvxlator/ReportFormatter.h"

namespace {

using orvxlator::json1::translateErrStatusToRawText;
using testing_xlator::FakeSession;

constexpr uint32_t kStatic = 1, kDynamic = 2, kDebug = 4, kNested = 8;

std::string report(FakeSession& session, const std::string& document, uint32_t flags, orverr::Status& status,
                   int32_t code = -1, uint32_t language = 0) {
    std::string text;
    translateErrStatusToRawText(session, code, document.c_str(), language, flags, text, status);
    return text;
}

struct ItemsCase {
    const char* name;
    const char* dynamic;
    const char* expected;
};

class DynamicItems : public testing::TestWithParam<ItemsCase> {};

TEST_P(DynamicItems, RenderAfterTheStaticDescription) {
    FakeSession session;
    session.dynamic = GetParam().dynamic;
    orverr::Status status;
    EXPECT_EQ(report(session, "{\"translator\":\"t\"}", kStatic | kDynamic, status), GetParam().expected);
    EXPECT_EQ(status.code, 0) << status.text();
}

INSTANTIATE_TEST_SUITE_P(
    Styles, DynamicItems,
    testing::Values(
        ItemsCase{"UsageItem", R"({"dynamic":[{"type":"usage","key":"File Path","value":"/a/b"}]})",
                  "Static -1.\n\nFile Path: /a/b"},
        ItemsCase{"ElaborationHasNoLineOrLabel", R"({"dynamic":[{"type":"elaboration","value":"Bare text."}]})",
                  "Static -1.\nBare text."},
        ItemsCase{"ArrayValueSeparated", R"({"dynamic":[{"type":"usage","key":"Channels","value":["0","1","2"]}]})",
                  "Static -1.\n\nChannels: 0, 1, 2"},
        ItemsCase{"EscapesDecoded", R"({"dynamic":[{"type":"usage","key":"K\u00e9y","value":"a\"b\\c\u65e5"}]})",
                  "Static -1.\n\nK\xc3\xa9y: a\"b\\c\xe6\x97\xa5"},
        ItemsCase{"EmptyKeyAndNoValue", R"({"dynamic":[{"type":"usage","key":""},{"type":"empty"}]})",
                  "Static -1."},
        ItemsCase{"EmptyDynamicArray", R"({"dynamic":[],"debug":[]})", "Static -1."}),
    [](const testing::TestParamInfo<ItemsCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
    const char* name;
    const char* dynamic;
    const char* message;
};

class RefusedItems : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedItems, KeepWhatCameBefore) {
    FakeSession session;
    session.dynamic = GetParam().dynamic;
    orverr::Status status;
    const std::string text = report(session, "{\"translator\":\"t\"}", kStatic | kDynamic, status);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(orverr::readStringMember(orverr::findMember(status.text(), "orvxlator_debug"), "formatDynamicReportItems")
                  .value_or(""),
              GetParam().message);
    EXPECT_EQ(text.rfind("Static -1.", 0), 0u) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedItems,
    testing::Values(
        RefusalCase{"EmptyObjectIsNoArray", R"({"dynamic":{}})",
                    "json1 dynamic object invalid. each array item must be an object"},
        RefusalCase{"ElementNotObject", R"({"dynamic":[1]})",
                    "json1 dynamic object invalid. each array item must be an object"},
        RefusalCase{"NumberValue", R"({"dynamic":[{"type":"usage","key":"k","value":5}]})",
                    "json1 dynamic object invalid. value can only be string"},
        RefusalCase{"NullInArray", R"({"dynamic":[{"type":"usage","key":"k","value":["a",null]}]})",
                    "json1 dynamic object invalid. value can only be string"},
        RefusalCase{"ValueDoesNotParse", R"({"dynamic":[{"type":"usage","key":"k","value":tru}]})",
                    "json1 dynamic object invalid. something's wrong with value item"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST(ReportFormatter, WithoutTranslatorOnlyTheStaticDescriptionIsAskedFor) {
    FakeSession session;
    orverr::Status status;
    EXPECT_EQ(report(session, "{\"error_constant\":\"x\"}", kStatic | kDynamic | kDebug, status), "Static -1.");
    EXPECT_EQ(session.dynamicCalls, 0);
    EXPECT_EQ(session.staticNames, "orvxlator_default;");
    EXPECT_EQ(report(session, "", kStatic, status, 0), "");  // code 0: nothing
}

TEST(ReportFormatter, DebugItemsFollowTheDynamicOnes) {
    FakeSession session;
    session.dynamic = R"({"dynamic":[{"type":"usage","key":"A","value":"1"}],"debug":[{"type":"usage","key":"File","value":"f.cpp"}]})";
    orverr::Status status;
    EXPECT_EQ(report(session, "{\"translator\":\"t\"}", kDynamic | kDebug, status), "A: 1\n\nFile: f.cpp");
}

TEST(ReportFormatter, FrenchSetsTheColonApartInLabelsAndDebugLines) {
    FakeSession session;
    session.dynamic = R"({"dynamic":[{"type":"usage","key":"Chemin du fichier","value":"/a"}],"debug":[{"type":"usage","key":"File","value":"f.cpp"}]})";
    const struct {
        uint32_t language;
        const char* expected;
    } cases[] = {
        {1, "Chemin du fichier : /a\n\nFile : f.cpp"},
        {0, "Chemin du fichier: /a\n\nFile: f.cpp"},
        {2, "Chemin du fichier: /a\n\nFile: f.cpp"},
        {3, "Chemin du fichier: /a\n\nFile: f.cpp"},
        {5, "Chemin du fichier: /a\n\nFile: f.cpp"},
        {77, "Chemin du fichier: /a\n\nFile: f.cpp"},  // no such language: English
    };
    for (const auto& c : cases) {
        orverr::Status status;
        EXPECT_EQ(report(session, "{\"translator\":\"t\"}", kDynamic | kDebug, status, -1, c.language), c.expected)
            << c.language;
    }
}

TEST(ReportFormatter, NestedErrorsAreIndentedByLevel) {
    FakeSession session;
    session.statics[-2] = "Two.\nSecond line.";
    session.statics[-3] = "Three.";
    orverr::Status status;
    const std::string document =
        R"({"nested_error":[{"code":-2,"nested_error":{"code":-3}},{"code":-3}]})";
    EXPECT_EQ(report(session, document, kStatic | kNested, status),
              "Static -1.\n\n   Two.\n   Second line.\n\n      Three.\n\n   Three.");
    EXPECT_EQ(status.code, 0) << status.text();
}

TEST(ReportFormatter, NestedErrorsOfTheWrongTypeAreRefused) {
    const struct {
        const char* document;
        const char* message;
    } cases[] = {
        {R"({"nested_error":5})", "nested_error contains invalid json type"},
        {R"({"nested_error":[{"code":-2},"x"]})", "nested_error contains invalid json type on one of the element"},
    };
    for (const auto& c : cases) {
        FakeSession session;
        orverr::Status status;
        report(session, c.document, kStatic | kNested, status);
        EXPECT_EQ(status.code, -52005) << c.document;
        EXPECT_EQ(orverr::readStringMember(orverr::findMember(status.text(), "orvxlator_debug"),
                                           "translateErrStatusToFormattedText")
                      .value_or(""),
                  c.message);
    }
}

TEST(ReportFormatter, DeepNestingIsRefusedNotRecursedInto) {
    std::string document;
    for (int i = 0; i < 100000; ++i) document += "{\"code\":-2,\"nested_error\":";
    document += "{}";
    for (int i = 0; i < 100000; ++i) document += "}";
    FakeSession session;
    orverr::Status status;
    const std::string text = report(session, document, kStatic | kNested, status);
    EXPECT_EQ(status.code, -52005);
    EXPECT_EQ(orverr::readStringMember(orverr::findMember(status.text(), "orvxlator_debug"),
                                       "translateErrStatusToFormattedText")
                  .value_or(""),
              "nested_error nesting too deep");
    // Levels up to the cap were rendered.
    EXPECT_NE(text.find(std::string(32 * 3, ' ') + "Static -2."), std::string::npos);
}

TEST(JsonReader, ParseValueTypesAndExtents) {
    const struct {
        const char* text;
        orverr::JsonType type;
        const char* extent;
    } cases[] = {
        {" null", orverr::JsonType::Null, "null"},       {"false,", orverr::JsonType::Boolean, "false"},
        {"-1.5e3]", orverr::JsonType::Number, "-1.5e3"}, {"\"a\\\"b\"", orverr::JsonType::String, "a\\\"b"},
        {"[1,[2]] x", orverr::JsonType::Array, "[1,[2]]"}, {"{\"a\":{}}", orverr::JsonType::Object, "{\"a\":{}}"},
        {"01", orverr::JsonType::Number, "0"},           {"-", orverr::JsonType::None, ""},
        {"\"open", orverr::JsonType::None, ""},          {"[1,", orverr::JsonType::None, ""},
    };
    for (const auto& c : cases) {
        const orverr::JsonValue value = orverr::parseValue(c.text);
        EXPECT_EQ(value.type, c.type) << c.text;
        if (value.type != orverr::JsonType::None) {
            EXPECT_EQ(std::string(value.begin, value.end), c.extent) << c.text;
        }
    }
}

}  // namespace
