// Export, import with validation, and save/restore of the engine over an in-memory session.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

#include "support/FakeIviSession.h"
#include "StatusView.h"
#include "helvar/impexp/AttributeFacadeFactory.h"
#include "helvar/impexp/DefaultChannelCapabilityInfo.h"
#include "helvar/impexp/ImporterExporter.h"
#include "helvar/impexp/JSONParser.h"
#include "helvar/impexp/SaverRestorer.h"

using namespace impexp;
using namespace impexp_test;

namespace {

// Ids of the test session.
constexpr ViAttr kInt = 1150001, kReal = 1150002, kText = 1150003, kWide = 1150004, kSes = 1150005, kFlag = 1150006,
                 kAddr = 1150007, kVertical = 1150010;

struct Doc {
    std::string oldest = "1";
    std::string format = "1";
    std::string channels = "";
    std::string version = "4.5.5f0";
    std::string devices = "[{\"modelNumber\": 1000}]";
    std::string attributes = "[]";

    std::string text() const {
        return "{\"formatVersion\": " + format + ", \"oldestCompatibleFormatVersion\": " + oldest +
               ", \"timeStamp\": \"2026-12-07T14:45:03\", \"session\": {\"channels\": \"" + channels +
               "\", \"optionString\": \"\"}, \"generatedBy\": {\"name\": \"Helvar.dll\", \"version\": \"" + version +
               "\"}, \"devices\": " + devices + ", \"attributes\": " + attributes + "}";
    }
};

std::string entry(ViAttr id, const std::string& channel, const std::string& value, const std::string& name = "N") {
    return "{\"id\": " + std::to_string(id) + ", \"name\": \"" + name + "\", \"channel\": \"" + channel +
           "\", \"value\": " + value + "}";
}

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        session.repCaps["Channel"] = {"0", "1", "2", "3"};
        session.add(kInt, "INT", IVI_VAL_INT32);
        session.add(kReal, "REAL", IVI_VAL_REAL64);
        session.add(kText, "TEXT", IVI_VAL_STRING);
        session.add(kWide, "WIDE", IVI_VAL_INT64);
        session.add(kSes, "SES", IVI_VAL_SESSION);
        session.add(kFlag, "FLAG", IVI_VAL_BOOLEAN);
        session.add(kAddr, "ADDR", IVI_VAL_ADDR);
        session.add(kVertical, "VERTICAL_RANGE", IVI_VAL_REAL64, "Channel");
        info.modelNumber = 1000;
    }

    ImporterExporter& engine() {
        if (!engine_) engine_ = std::make_unique<ImporterExporter>(session, factory, &info);
        return *engine_;
    }
    void import(const std::string& text) { engine().importBuffer(static_cast<uint32_t>(text.size()), text.c_str()); }
    rapidjson::Document exported() {
        rapidjson::Document d;
        d.Parse(engine().exportText().c_str());
        return d;
    }

    FakeIviSession session;
    FakeDesiredReader reader{session};
    AttributeFacadeFactory factory{session, reader};
    SessionInformation info;
    std::unique_ptr<ImporterExporter> engine_;
};

TEST_F(EngineTest, EnumerationLeavesOutWhatCannotTravel) {
    session.add(1050005, "SIMULATE", IVI_VAL_BOOLEAN);
    session.add(1050021, "INTERCHANGE", IVI_VAL_BOOLEAN);
    session.add(1160001, "HIDDEN", IVI_VAL_INT32, "", 0x8);
    session.add(1160002, "READ_ONLY", IVI_VAL_INT32, "", 0x4);
    session.add(1160003, "ODD", IVI_VAL_UNKNOWN_TYPE);
    session.repCaps["Empty"] = {};
    session.add(1160004, "NO_INSTANCES", IVI_VAL_INT32, "Empty");
    for (ViAttr id : {ViAttr(1050005), ViAttr(1050021), ViAttr(1160001), ViAttr(1160002), ViAttr(1160003),
                      kAddr}) {
        session.value(id).integer = 1;
    }
    session.value(1160004).integer = 9;
    session.value(kVertical, "1").real = 2.0;
    engine();
    session.add(1160005, "LATE", IVI_VAL_INT32);
    session.value(1160005).integer = 1;

    const rapidjson::Document d = exported();
    ASSERT_EQ(2u, d["attributes"].Size());
    EXPECT_EQ(kVertical, d["attributes"][0]["id"].GetUint());
    EXPECT_STREQ("1", d["attributes"][0]["channel"].GetString());
    EXPECT_STREQ("VERTICAL_RANGE", d["attributes"][0]["name"].GetString());
    // A channel-based attribute whose capability lists no instance travels with the empty channel.
    EXPECT_EQ(1160004u, d["attributes"][1]["id"].GetUint());
    EXPECT_STREQ("", d["attributes"][1]["channel"].GetString());
}

TEST_F(EngineTest, ExportWritesTheSessionHeaderAndOnlyUserSetValues) {
    info.optionString = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=";
    session.value(kInt).integer = 5;
    session.value(kFlag).integer = 2;
    session.value(kVertical, "0", false).real = 1.0;
    const std::string text = engine().exportText();
    EXPECT_NE(std::string::npos, text.find("\"optionString\": \"Simulate=1,RangeCheck=1,Cache=1,DriverSetup=\""));
    EXPECT_NE(std::string::npos, text.find("\"modelNumber\": 1000"));
    EXPECT_NE(std::string::npos, text.find("\"value\": true"));
    const rapidjson::Document d = exported();
    ASSERT_EQ(2u, d["attributes"].Size());
    EXPECT_EQ(5, d["attributes"][0]["value"].GetInt());

    FakeIviSession bare;
    FakeDesiredReader bareReader(bare);
    AttributeFacadeFactory bareFactory(bare, bareReader);
    ImporterExporter empty(bare, bareFactory, &info);
    EXPECT_NE(std::string::npos, empty.exportText().find("\"attributes\": []"));
}

TEST_F(EngineTest, ExportBufferReportsCopiesAndRefusesBySize) {
    session.value(kText).text = "abc";
    std::vector<char> buffer(4096, 'x');
    const uint32_t required = engine().exportBuffer(0, buffer.data());
    EXPECT_EQ('x', buffer[0]);
    ASSERT_GT(required, 100u);
    const uint32_t exact = required + 7;  // the time stamp may grow by its microsecond digits
    EXPECT_EQ(0u, engine().exportBuffer(exact, buffer.data()));
    const size_t length = std::strlen(buffer.data());
    EXPECT_TRUE(length + 1 == required || length + 1 == required - 7 || length + 1 == required + 7);
    EXPECT_EQ('x', buffer[length + 1]);

    std::vector<char> small(10, 'y');
    const StatusView tooSmall = raised([&] { engine().exportBuffer(10, small.data()); });
    EXPECT_EQ(-1074100299, tooSmall.code);
    EXPECT_EQ("errors::bufferTooSmall", tooSmall.constant);
    ASSERT_EQ(2u, tooSmall.items.size());
    EXPECT_EQ((std::pair<std::string, std::string>("kUsageTypeInvalidValue", "10")), tooSmall.items[0]);
    EXPECT_EQ("kUsageTypeMinValue", tooSmall.items[1].first);
    EXPECT_GT(std::stoul(tooSmall.items[1].second), 100u);
    EXPECT_EQ(std::string(10, 'y'), std::string(small.begin(), small.end()));

    const StatusView nullBuffer = raised([&] { engine().exportBuffer(10, nullptr); });
    EXPECT_EQ(orverr::codes::kInvalidValue.code, nullBuffer.code);
}

TEST_F(EngineTest, AFileThatCannotBeWrittenFailsBeforeAnyValueIsRead) {
    session.value(kInt).integer = 5;
    engine();
    const StatusView view = raised([&] { engine().exportFile("/nonexistent-folder/doc.json"); });
    EXPECT_EQ(-1074135036, view.code);
    EXPECT_EQ("ivierrors::ERR_WRITING_FILE", view.constant);
    EXPECT_EQ(0, reader.reads);
    EXPECT_EQ(-1074135037, raised([&] { engine().importFile("/nonexistent-folder/doc.json"); }).code);
}

TEST(DefaultChannelCapabilityInfoTest, NamesTheSixtyFourChannels) {
    const DefaultChannelCapabilityInfo& table = DefaultChannelCapabilityInfo::instance();
    EXPECT_EQ(64u, table.count());
    EXPECT_EQ(0u, table.indexOf("0"));
    EXPECT_EQ(63u, table.indexOf("63"));
    EXPECT_EQ(orvslid::kNoIndex, table.indexOf("64"));
    EXPECT_EQ(orvslid::kNoIndex, table.indexOf("01"));
    EXPECT_STREQ("17", table.nameOf(17));
    EXPECT_EQ(nullptr, table.nameOf(64));
    const std::string list = table.capabilityName();
    EXPECT_EQ(0u, list.find("0,1,2,"));
    EXPECT_EQ(list.size() - 6, list.find(",62,63"));
}

TEST_F(EngineTest, ImportAppliesEveryTypeAndCountsTheNulOrNot) {
    Doc doc;
    doc.attributes = "[" + entry(kInt, "", "-5") + "," + entry(kReal, "", "3") + "," + entry(kText, "", "\"a\\u00e9\"") +
                     "," + entry(kWide, "", "-9007199254740993") + "," + entry(kSes, "", "4294967295") + "," +
                     entry(kFlag, "", "true") + "," + entry(kVertical, "2", "0.25") + "]";
    const std::string text = doc.text();
    engine().importBuffer(static_cast<uint32_t>(text.size() + 1), text.c_str());
    EXPECT_EQ(-5, session.value(kInt, "", false).integer);
    EXPECT_EQ(3.0, session.value(kReal, "", false).real);
    EXPECT_EQ("a\xc3\xa9", session.value(kText, "", false).text);
    EXPECT_EQ(-9007199254740993LL, session.value(kWide, "", false).integer);
    EXPECT_EQ(4294967295LL, session.value(kSes, "", false).integer);
    EXPECT_EQ(1, session.value(kFlag, "", false).integer);
    EXPECT_EQ(0.25, session.value(kVertical, "2", false).real);
    EXPECT_TRUE(session.wasSet(kVertical, "2"));

    session.setLog.clear();
    engine().importBuffer(static_cast<uint32_t>(text.size()), text.c_str());
    EXPECT_EQ(7u, session.setLog.size());

    // Only the given bytes count: a cut document is not well formed.
    EXPECT_EQ(-1074100298, raised([&] { engine().importBuffer(20, text.c_str()); }).code);
    EXPECT_EQ(orverr::codes::kInvalidValue.code, raised([&] { engine().importBuffer(5, nullptr); }).code);
}

TEST_F(EngineTest, BooleansTakeOnlyTrueAndDuplicatesTakeTheLaterValue) {
    Doc doc;
    doc.attributes = "[" + entry(kFlag, "", "1") + "," + entry(kInt, "", "1") + "," + entry(kInt, "", "2") + "]";
    session.value(kFlag).integer = 1;
    import(doc.text());
    EXPECT_EQ(0, session.value(kFlag, "", false).integer);
    EXPECT_EQ(2, session.value(kInt, "", false).integer);
    EXPECT_EQ(3u, session.setLog.size());
}

TEST_F(EngineTest, EntriesBeforeARefusedOneStayApplied) {
    Doc doc;
    doc.attributes = "[" + entry(kInt, "", "1") + "," + entry(kReal, "", "2.5") + "," + entry(kText, "", "\"x\"") +
                     "," + entry(kWide, "", "4") + "]";
    session.refusedSets.insert(kText);
    const StatusView view = raised([&] { import(doc.text()); });
    EXPECT_EQ(kValueRefused, view.code);
    EXPECT_EQ("error", view.constant);
    EXPECT_EQ(1, session.value(kInt, "", false).integer);
    EXPECT_EQ(2.5, session.value(kReal, "", false).real);
    EXPECT_FALSE(session.wasSet(kWide));
    EXPECT_EQ(2u, session.setLog.size());
}

// A refusal of the session while applying, or of its type query while validating, names the entry
// by its place in "attributes" (counting entries that give no record), its id, its name and its
// channel; what the refusal names already is not repeated, and its code stays.
TEST_F(EngineTest, RefusalsNameTheEntryAtFault) {
    constexpr ViAttr kOdd = 1160003;
    session.add(kOdd, "ODD", IVI_VAL_UNKNOWN_TYPE);
    struct Case {
        const char* what;
        std::string channel;  // of the third entry
        ViAttr lastId;
        std::function<void()> arrange;
        ViStatus code;
        Items items;
        size_t applied;
    };
    const Case cases[] = {
        {"the engine refuses a value", "2", kText, [&] { session.refusedSets.insert(kText); }, kValueRefused,
         {{"impexp_kUsageTypeAttributeEntryPosition", "4"}, {"kUsageTypeAttributeId", "1150003"},
          {"impexp_kUsageTypeAttributeName", "fourth"}},
         2},
        {"an unknown channel", "9", kText, [] {}, kUnknownChannel,
         {{"impexp_kUsageTypeAttributeEntryPosition", "3"}, {"kUsageTypeAttributeId", "1150010"},
          {"impexp_kUsageTypeAttributeName", "third"}, {"kUsageTypeChannelName", "9"}},
         1},
        {"a channel the attribute does not take", "2", kText, [&] { session.validationWarnings[kVertical] = 1; },
         orverr::codes::kAttributeTypeMismatch.code,
         {{"kUsageTypeAttributeId", "1150010"}, {"kUsageTypeChannelName", "2"},
          {"impexp_kUsageTypeAttributeEntryPosition", "3"}, {"impexp_kUsageTypeAttributeName", "third"}},
         1},
        {"an id the session does not know", "2", 4242, [] {}, kUnknownAttribute,
         {{"impexp_kUsageTypeAttributeEntryPosition", "4"}, {"kUsageTypeAttributeId", "4242"},
          {"impexp_kUsageTypeAttributeName", "fourth"}},
         0},
    };
    for (const Case& c : cases) {
        session.refusedSets.clear();
        session.validationWarnings.clear();
        session.setLog.clear();
        c.arrange();
        Doc doc;
        doc.attributes = "[" + entry(kOdd, "", "1", "first") + "," + entry(kInt, "", "1", "second") + "," +
                         entry(kVertical, c.channel, "0.5", "third") + "," + entry(c.lastId, "", "\"x\"", "fourth") + "]";
        const StatusView view = raised([&] { import(doc.text()); });
        EXPECT_EQ(c.code, view.code) << c.what;
        EXPECT_EQ(c.items, view.items) << c.what;
        EXPECT_EQ(c.applied, session.setLog.size()) << c.what;
    }
}

// Names that repeat within one object are refused wherever they are, before anything is applied,
// with the place of the second one; equal names in different objects are fine.
TEST_F(EngineTest, RepeatedMemberNamesAreRefusedWithTheirPath) {
    std::string many = "{";
    for (int i = 0; i < 40; ++i) many += "\"k" + std::to_string(i) + "\": " + std::to_string(i) + ", ";
    many += "\"k3\": 0}";
    struct Case {
        std::string devices, attributes, path;
    };
    const Case cases[] = {
        {"[{\"modelNumber\": 1000, \"modelNumber\": 9999}]", "[]", "#/devices/0/modelNumber"},
        {"[{\"modelNumber\": 1000}]", "[" + entry(kInt, "", "1") + ", {\"id\": 1, \"id\": 1}]", "#/attributes/1/id"},
        {"[{\"modelNumber\": 1000, \"x\": {\"a/b~c d\": [], \"a/b~c d\": 2}}]", "[]", "#/devices/0/x/a~1b~0c%20d"},
        {"[{\"modelNumber\": 1000, \"m\": [0, [1, " + many + "]]}]", "[]", "#/devices/0/m/1/1/k3"},
        {"[{\"modelNumber\": 1000, \"a\": {\"a\": {\"b\": 1}, \"b\": [{\"a\": 1}, {\"a\": 2}]}}]",
         "[" + entry(kInt, "", "1") + "," + entry(kInt, "", "2") + "]", ""},
    };
    for (const Case& c : cases) {
        session.setLog.clear();
        Doc doc;
        doc.devices = c.devices;
        doc.attributes = c.attributes;
        const StatusView view = raised([&] { import(doc.text()); });
        if (c.path.empty()) {
            EXPECT_EQ(0, view.code) << c.devices;
            EXPECT_EQ(2u, session.setLog.size());
            continue;
        }
        EXPECT_EQ(-1074100297, view.code) << c.path;
        EXPECT_EQ((Items{{"impexp_kUsageTypeDuplicateMemberPath", c.path}}), view.items);
        EXPECT_TRUE(session.setLog.empty()) << c.path;
    }
    Doc doc;
    const std::string twice = doc.text().substr(0, doc.text().size() - 1) + ", \"attributes\": []}";
    EXPECT_EQ((Items{{"impexp_kUsageTypeDuplicateMemberPath", "#/attributes"}}),
              raised([&] { import(twice); }).items);
}

TEST_F(EngineTest, ChannelsMapByPositionOntoTheSessionList) {
    info.channels = "2,3";
    Doc doc;
    doc.channels = "0,1";
    doc.attributes = "[" + entry(kVertical, "0", "1.5") + "," + entry(kVertical, "1", "2.5") + "," +
                     entry(kInt, "", "3") + "," + entry(kVertical, "3", "4.5") + "]";
    import(doc.text());
    EXPECT_EQ(1.5, session.value(kVertical, "2", false).real);
    EXPECT_FALSE(session.wasSet(kVertical, "0"));
    EXPECT_EQ(3, session.value(kInt, "", false).integer);
    // "3" is not in the document's list and keeps its name: the entries of "1" and "3" now share
    // a key, and both apply the later value.
    EXPECT_EQ(4.5, session.value(kVertical, "3", false).real);
    const std::vector<std::pair<ViAttr, std::string>> expected = {
        {kVertical, "2"}, {kVertical, "3"}, {kInt, ""}, {kVertical, "3"}};
    EXPECT_EQ(expected, session.setLog);
}

// The document's channel list maps onto the session's by position: the lists must have the same
// length, and the document's must be a well-formed list of known, distinct channels. A refused
// list applies nothing.
TEST_F(EngineTest, ChannelListsMustAgree) {
    struct Row {
        const char* name;
        std::string sessionChannels, documentChannels;
        std::optional<ViStatus> code;
        std::string constant;  // empty: accepted
        std::optional<Items> items;
    };
    const Items moreThanTheSession = {{"impexp_kUsageTypeAttributeConfigurationSessionChannels", "0,1"},
                                      {"impexp_kUsageTypeExpectedSessionChannels", "0"}};
    const Row rows[] = {
        {"more channels than the session's", "0", "0,1", -1074100304, "errors::incompatibleSessionChannels",
         moreThanTheSession},
        {"channels for a session without", "", "0,1", -1074100304, "errors::incompatibleSessionChannels", {}},
        {"an empty channel name", "", ",0", {}, "ivierrors::ERR_BAD_CHANNEL_NAME", {}},
        {"a channel beyond the last", "", "64", {}, "ivierrors::ERR_UNKNOWN_CHANNEL_NAME", {}},
        {"a channel twice", "", "0,1-3,2", {}, "ivierrors::ERR_DUPLICATE_CHANNEL_STRING", {}},
        {"blanks for no channels", "", "   ", {}, "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        session.setLog.clear();
        info.channels = row.sessionChannels;
        Doc doc;
        doc.channels = row.documentChannels;
        doc.attributes = "[" + entry(kInt, "", "3") + "]";
        if (row.constant.empty()) {
            import(doc.text());
            EXPECT_EQ(3, session.value(kInt, "", false).integer);
            continue;
        }
        const StatusView view = raised([&] { import(doc.text()); });
        if (row.code) {
            EXPECT_EQ(*row.code, view.code);
        }
        EXPECT_EQ(row.constant, view.constant);
        if (row.items) {
            EXPECT_EQ(*row.items, view.items);
        }
        EXPECT_TRUE(session.setLog.empty());
    }
}

// Each document holds several faults: the refusal is the first in the order of the checks, and
// nothing is applied.
TEST_F(EngineTest, ValidationRefusesInItsOrderBeforeApplyingAnything) {
    const auto doc = [](std::string oldest, std::string format, std::string devices, std::string version,
                        std::string attributes) {
        Doc d;
        d.oldest = std::move(oldest);
        d.format = std::move(format);
        d.devices = std::move(devices);
        d.version = std::move(version);
        d.attributes = std::move(attributes);
        return d;
    };
    const std::string one = "[" + entry(kInt, "", "3") + "]";
    struct Row {
        const char* name;
        Doc doc;
        ViStatus code;
        std::string constant;
        Items items;
    };
    const Row rows[] = {
        {"a format newer than the library's, before the model and the version",
         doc("2", "1", "[{\"modelNumber\": 7}]", "04.5.5f0", one), -1074100301, "errors::libraryOutOfDate",
         {{"impexp_kUsageTypeAttributeConfigurationOldestCompatibleVersion", "2"},
          {"impexp_kUsageTypeAttributeConfigurationExpectedVersion", "1"}}},
        {"a device of another model, before the version",
         doc("1", "7", "[{\"modelNumber\": 1000}, {\"modelNumber\": 7}]", "04.5.5f0", one), -1074100300,
         "errors::incompatibleModelNumber",
         {{"impexp_kUsageTypeAttributeConfigurationModelNumber", "7"}, {"impexp_kUsageTypeExpectedModelNumber", "1000"}}},
        {"a malformed version of the writer", doc("1", "7", "[]", "04.5.5f0", one), -1074100302,
         "errors::invalidVersionFormat", {{"impexp_kUsageTypeAttributeConfigurationVersion", "04.5.5f0"}}},
        {"an id the session does not know, after one it knows",
         doc("1", "7", "[]", "255.15.15f16383", "[" + entry(kInt, "", "3") + "," + entry(4242, "", "1") + "]"),
         kUnknownAttribute, "error",
         {{"impexp_kUsageTypeAttributeEntryPosition", "2"}, {"kUsageTypeAttributeId", "4242"},
          {"impexp_kUsageTypeAttributeName", "N"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const StatusView view = raised([&] { import(row.doc.text()); });
        EXPECT_EQ(row.code, view.code);
        EXPECT_EQ(row.constant, view.constant);
        EXPECT_EQ(row.items, view.items);
        EXPECT_TRUE(session.setLog.empty());
    }
}

TEST_F(EngineTest, ValuesThatDoNotFitTheSessionTypeAreRefusedNamingTheAttribute) {
    struct Case {
        std::string entry;
        std::string rule, keyword, path, id;
    };
    const std::string value = "#/properties/attributes/items/properties/value";
    const std::vector<Case> cases = {
        {entry(kInt, "", "1.5"), value, "type", "#/attributes/1/value", "1150001"},
        {entry(kInt, "", "2147483648"), value, "type", "#/attributes/1/value", "1150001"},
        {entry(kSes, "", "-1"), value, "type", "#/attributes/1/value", "1150005"},
        {entry(kWide, "", "\"7\""), value, "type", "#/attributes/1/value", "1150004"},
        {entry(kText, "", "7"), value, "type", "#/attributes/1/value", "1150003"},
        {entry(kReal, "", "\"nan\""), value, "type", "#/attributes/1/value", "1150002"},
        {entry(kAddr, "", "0"), value, "type", "#/attributes/1/value", "1150007"},
        {"{\"id\": 1150001, \"channel\": \"\", \"value\": 1}", "#/properties/attributes/items", "required",
         "#/attributes/1", "1150001"},
        {"{\"id\": 1150001, \"name\": 5, \"channel\": \"\", \"value\": 1}",
         "#/properties/attributes/items/properties/name", "type", "#/attributes/1/name", "1150001"},
    };
    for (const Case& c : cases) {
        Doc doc;
        doc.attributes = "[" + entry(kInt, "", "3") + "," + c.entry + "]";
        const StatusView view = raised([&] { import(doc.text()); });
        EXPECT_EQ(-1074100297, view.code) << c.entry;
        EXPECT_EQ((Items{{"impexp_kUsageTypeSchemaRuleViolation", c.rule},
                         {"impexp_kUsageTypeSchemaViolationType", c.keyword},
                         {"impexp_kUsageTypeSchemaErrorPath", c.path},
                         {"kUsageTypeAttributeId", c.id}}),
                  view.items)
            << c.entry;
    }
    Doc doc;
    doc.attributes = "[{\"id\": -1, \"name\": \"N\", \"channel\": \"\", \"value\": 1}]";
    const StatusView negativeId = raised([&] { import(doc.text()); });
    EXPECT_EQ((Items{{"impexp_kUsageTypeSchemaRuleViolation", "#/properties/attributes/items/properties/id"},
                     {"impexp_kUsageTypeSchemaViolationType", "type"},
                     {"impexp_kUsageTypeSchemaErrorPath", "#/attributes/0/id"}}),
              negativeId.items);
    EXPECT_TRUE(session.setLog.empty());
}

TEST_F(EngineTest, ParserReportsFormatAndSchemaFailures) {
    JSONParser parser;
    const StatusView null = raised([&] { parser.parse(nullptr); });
    EXPECT_EQ(-1074098093, null.code);
    EXPECT_EQ("orvmxl::kErrorNULLPtr", null.constant);
    EXPECT_EQ((Items{{"comment", "Invalid JSON File!!!"}}), null.items);

    // Not well formed: where (1-based line and byte column) and why; an empty text says only that.
    struct Malformed {
        std::string text;
        Items where;
    };
    const auto at = [](const char* line, const char* column, const char* reason) {
        return Items{{"impexp_kUsageTypeSyntaxErrorLine", line},
                     {"impexp_kUsageTypeSyntaxErrorColumn", column},
                     {"impexp_kUsageTypeSyntaxErrorReason", reason}};
    };
    const Items empty = {{"impexp_kUsageTypeSyntaxErrorReason", "The document is empty."}};
    const Malformed malformed[] = {
        {"", empty},
        {" \n\t\r\n ", empty},
        {"{", at("1", "2", "Missing a name for object member.")},
        {"\xEF\xBB\xBF{}", at("1", "1", "Invalid value.")},
        {"{} {}", at("1", "4", "The document root must not be followed by other values.")},
        {"{\"a\": 1,}", at("1", "9", "Missing a name for object member.")},
        {"// c\n{}", at("1", "1", "Invalid value.")},
        {"{\n   \"a\": [\n      1\n      2\n   ]\n}", at("4", "7", "Missing a comma or ']' after an array element.")},
        {"{\r\n\"a\": tru}", at("2", "9", "Invalid value.")},
        // Every string is UTF-8, whether or not it reaches the session; columns count bytes.
        {"{\"\xC3\xA9\": \"\xE6\xB8\xAC\", \"x\": \"\xC0\xAF\"}", at("1", "21", "Invalid encoding in string.")},
        {"{\"k\xFF\": 1}", at("1", "4", "Invalid encoding in string.")},
    };
    for (const Malformed& m : malformed) {
        const StatusView view = raised([&] { parser.parse(m.text.c_str()); });
        EXPECT_EQ(-1074100298, view.code) << m.text;
        EXPECT_EQ("errors::corruptedFormat", view.constant);
        Items expected = {{"comment", "Invalid JSON File!!!"}};
        expected.insert(expected.end(), m.where.begin(), m.where.end());
        EXPECT_EQ(expected, view.items) << m.text;
        EXPECT_EQ(view.items, raised([&] { parser.parse(m.text.c_str(), m.text.size()); }).items) << m.text;
    }

    Doc doc;
    doc.attributes = "[{\"id\": 1, \"channel\": \"\"}]";
    const StatusView schema = raised([&] { parser.parse(doc.text().c_str()); });
    EXPECT_EQ(-1074100297, schema.code);
    EXPECT_EQ("errors::invalidSchema", schema.constant);
    EXPECT_EQ((Items{{"impexp_kUsageTypeSchemaRuleViolation", "#/properties/attributes/items"},
                     {"impexp_kUsageTypeSchemaViolationType", "required"},
                     {"impexp_kUsageTypeSchemaErrorPath", "#/attributes/0"}}),
              schema.items);

    const std::string odd = "{\"oldestCompatibleFormatVersion\": 1, \"timeStamp\": \"\", "
                            "\"session\": {\"channels\": \"\", \"optionString\": \"\"}, \"generatedBy\": {\"name\": "
                            "\"\", \"version\": \"\"}, \"devices\": [], \"attributes\": [], \"x\": {\"a/b~c d\": 1}, "
                            "\"formatVersion\": 1.5}";
    const StatusView fraction = raised([&] { parser.parse(odd.c_str()); });
    EXPECT_EQ(-1074100297, fraction.code);
    EXPECT_EQ("type", fraction.items.at(1).second);

    doc.attributes = "[]";
    doc.format = "7";
    EXPECT_NO_THROW(parser.parse((doc.text() + "  \n").c_str()));
}

TEST_F(EngineTest, NonFiniteRealsRoundTrip) {
    session.add(1150020, "R2", IVI_VAL_REAL64);
    session.add(1150021, "R3", IVI_VAL_REAL64);
    session.value(kReal).real = std::numeric_limits<double>::quiet_NaN();
    session.value(1150020).real = std::numeric_limits<double>::infinity();
    session.value(1150021).real = -std::numeric_limits<double>::infinity();
    const std::string text = engine().exportText();
    session.value(kReal, "", false).real = 0;
    session.value(1150020, "", false).real = 0;
    session.value(1150021, "", false).real = 0;
    import(text);
    EXPECT_TRUE(std::isnan(session.value(kReal, "", false).real));
    EXPECT_EQ(std::numeric_limits<double>::infinity(), session.value(1150020, "", false).real);
    EXPECT_EQ(-std::numeric_limits<double>::infinity(), session.value(1150021, "", false).real);
}

TEST_F(EngineTest, ExportedDocumentsImportBackUnchanged) {
    session.value(kInt).integer = INT32_MIN;
    session.value(kReal).real = 0.1;
    session.value(kText).text = "q\"\\/\x01\n";
    session.value(kWide).integer = INT64_MIN;
    session.value(kSes).integer = 12;
    session.value(kFlag).integer = 1;
    session.value(kVertical, "3").real = 1e-7;
    const std::string first = engine().exportText();
    for (auto& a : session.attributes) {
        for (auto& v : a.values) v.second = FakeValue();
    }
    import(first);
    EXPECT_EQ(INT32_MIN, session.value(kInt, "", false).integer);
    EXPECT_EQ(0.1, session.value(kReal, "", false).real);
    EXPECT_EQ("q\"\\/\x01\n", session.value(kText, "", false).text);
    EXPECT_EQ(INT64_MIN, session.value(kWide, "", false).integer);
    EXPECT_EQ(1e-7, session.value(kVertical, "3", false).real);
    const std::string second = engine().exportText();
    EXPECT_EQ(first.substr(first.find("\"session\"")), second.substr(second.find("\"session\"")));
}

class SaveRestoreTest : public EngineTest {
protected:
    SaverRestorer& store() {
        if (!store_) store_ = std::make_unique<SaverRestorer>(session, factory, &info);
        return *store_;
    }
    std::unique_ptr<SaverRestorer> store_;
};

TEST_F(SaveRestoreTest, RestoreBeforeAnySaveIsACorruptedDocument) {
    const StatusView view = raised([&] { store().restore(); });
    EXPECT_EQ(-1074100298, view.code);
    EXPECT_TRUE(session.setLog.empty());
}

TEST_F(SaveRestoreTest, RestoreAppliesTheLastSnapshotAsOftenAsAsked) {
    session.value(kInt).integer = 1;
    session.value(kVertical, "2").real = 2.0;
    store().save();
    session.value(kInt).integer = 10;
    store().save();
    session.value(kInt).integer = 20;
    session.value(kVertical, "2").real = 9.0;
    store().restore();
    EXPECT_EQ(10, session.value(kInt, "", false).integer);
    EXPECT_EQ(2.0, session.value(kVertical, "2", false).real);
    session.value(kInt).integer = 30;
    store().restore();
    EXPECT_EQ(10, session.value(kInt, "", false).integer);
}

TEST_F(SaveRestoreTest, FailedSaveKeepsThePreviousSnapshot) {
    session.value(kInt).integer = 1;
    store().save();
    session.value(kInt).integer = 2;
    reader.failingReads.insert(kInt);
    EXPECT_EQ(kValueRefused, raised([&] { store().save(); }).code);
    reader.failingReads.clear();
    store().restore();
    EXPECT_EQ(1, session.value(kInt, "", false).integer);
}

TEST_F(SaveRestoreTest, ASnapshotWithoutSetAttributesRestoresNothing) {
    store().save();
    session.value(kInt).integer = 5;
    store().restore();
    EXPECT_TRUE(session.setLog.empty());
    EXPECT_EQ(5, session.value(kInt, "", false).integer);
}

TEST_F(SaveRestoreTest, ARefusedValueStopsTheRestoreWhereItIs) {
    session.value(kInt).integer = 1;
    session.value(kReal).real = 2.0;
    session.value(kText).text = "t";
    store().save();
    session.refusedSets.insert(kReal);
    EXPECT_EQ(kValueRefused, raised([&] { store().restore(); }).code);
    const std::vector<std::pair<ViAttr, std::string>> expected = {{kInt, ""}};
    EXPECT_EQ(expected, session.setLog);
    session.refusedSets.clear();
    store().restore();
    EXPECT_EQ(4u, session.setLog.size());
}

}  // namespace
