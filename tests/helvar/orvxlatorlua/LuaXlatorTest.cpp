// The Lua translator as the framework uses it: created from its registration text, asked for
// static and dynamic descriptions, destroyed.
#include "helvar/orvxlatorlua/LuaXlator.h"

#include <gtest/gtest.h>

#include "support/Portable.h"
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* const kRegistration =
    "{\"orvxlatorlua_xlator\":\"mxlator\",\"orvxlatorlua_settings\":{\"driverName\":\"Digiscan\","
    "\"orvSharedErrorsDir\":\"$_orvShared32Dir/Errors\",\"MIErrorsDir\":\"$_orvShared32Dir/MIerrors\"}}";

std::string explanationFile(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<orvdocument>\n" + body + "</orvdocument>\n";
}

std::string definition(int32_t code, const std::string& text) {
    return "<orverror code=\"" + std::to_string(code) + "\">\n" + text + "\n</orverror>\n";
}

// A path inside a quoted registry or JSON text, whose '\' is an escape.
std::string quoted(const fs::path& path) {
    std::string text;
    for (char c : path.u8string()) {
        if (c == '\\') text += '\\';
        text += c;
    }
    return text;
}

// A shared folder of its own, named by a registry file of its own.
class LuaXlatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string made = testsupport::makeTemporaryFolder("orvxlatorlua");
        ASSERT_FALSE(made.empty());
        root_ = fs::u8path(made);
        std::ofstream(root_ / "registry.reg", std::ios::binary)
            << "Windows Registry Editor Version 5.00\n"
               "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\Common\\Installer]\n"
               "\"ORVSHAREDDIR\"=\""
            << quoted(root_ / "shared") << "\"\n";
        testsupport::setEnvironment("ORV_REGISTRY_FILE", (root_ / "registry.reg").u8string());
    }

    void TearDown() override {
        if (xlator_ != nullptr) xlator_->destroy(xlator_);
        testsupport::unsetEnvironment("ORV_REGISTRY_FILE");
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    void write(const std::string& relative, const std::string& bytes) {
        const fs::path file = root_ / "shared" / relative;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }

    orvxlator::XlatorInterface* create(const char* registration = kRegistration) {
        xlator_ = orvxlatorlua::createMxlator("mxlator_Digiscan", registration, status_);
        return xlator_;
    }

    // The text, or "<null>"; the caller's allocator frees it.
    static std::string take(char* text) {
        if (text == nullptr) return "<null>";
        std::string copy = text;
        std::free(text);
        return copy;
    }

    std::string staticDesc(int32_t code, uint32_t language) {
        return take(xlator_->getStaticDesc(xlator_, code, language, &orvxlator::xlatorRealloc, nullptr, &status_));
    }

    std::string dynamicDesc(const std::string& document, uint32_t language, const char* format = "json1") {
        return take(xlator_->getDynamicDesc(xlator_, document.c_str(), language, format, &orvxlator::xlatorRealloc,
                                            nullptr, &status_));
    }

    // The "dynamic" array of an answer, as compact JSON.
    static std::string dynamicPart(const std::string& answer) {
        rapidjson::Document document;
        document.Parse(answer.c_str());
        EXPECT_FALSE(document.HasParseError()) << answer;
        if (document.HasParseError() || !document.HasMember("dynamic")) return "<none>";
        rapidjson::StringBuffer buffer;
        rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
        document["dynamic"].Accept(writer);
        return buffer.GetString();
    }

    fs::path root_;
    orverr::Status status_;
    orvxlator::XlatorInterface* xlator_ = nullptr;
};

std::string statusDocument(const char* items) {
    return std::string("{\"error_constant\":\"errors::invalidSchema\",\"file\":\"src/x.cpp\",\"line\":12,"
                       "\"component\":\"Helvar\",\"translator\":\"mxlator_Digiscan\",\"translator_info\":"
                       "{\"is_debug\":\"0\",\"version\":1,\"ordered_data\":[") +
           items + "]}}";
}

struct DynamicCase {
    const char* name;
    uint32_t language;
    const char* items;
    const char* dynamic;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const DynamicCase& c, std::ostream* os) { *os << c.name; }


class DynamicDescription : public LuaXlatorTest, public ::testing::WithParamInterface<DynamicCase> {};

TEST_P(DynamicDescription, LabelsTheElaborations) {
    const DynamicCase& c = GetParam();
    ASSERT_NE(create(), nullptr) << status_.text();
    const std::string answer = dynamicDesc(statusDocument(c.items), c.language);
    ASSERT_EQ(status_.code, 0) << status_.text();
    EXPECT_EQ(dynamicPart(answer), c.dynamic) << answer;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DynamicDescription,
    ::testing::Values(
        DynamicCase{"AttributeIdAsEightHexDigits", 0,
                    R"({"type":"usage","usage":"kUsageTypeAttributeId","value":1250003,"value_type":"uint32_t"})",
                    R"([{"key":"Attribute Id","type":"usage","value":"0x001312D3"}])"},
        DynamicCase{"Uint64StringKept", 0,
                    R"({"type":"usage","usage":"kUsageTypeMinValue","value":"18446744073709551615","value_type":"uint64_t"})",
                    R"([{"key":"Minimum Value","type":"usage","value":"18446744073709551615"}])"},
        DynamicCase{"EnglishLabelOfOwnUsage", 0,
                    R"({"type":"usage","usage":"impexp_kUsageTypeSchemaErrorPath","value":"/a/b","value_type":"string"})",
                    R"([{"key":"Schema Error Path","type":"usage","value":"/a/b"}])"},
        DynamicCase{"JapaneseLabelOfOwnUsage", 3,
                    R"({"type":"usage","usage":"impexp_kUsageTypeSchemaErrorPath","value":"/a/b","value_type":"string"})",
                    R"([{"key":"スキーマエラーのパス","type":"usage","value":"/a/b"}])"},
        DynamicCase{"KoreanLabelFromItsOwnTable", 4,
                    R"({"type":"usage","usage":"impexp_kUsageTypeExpectedModelNumber","value":5122,"value_type":"int32_t"})",
                    R"([{"key":"예상 모델 번호","type":"usage","value":"5122"}])"},
        DynamicCase{"ChineseLabelFromItsOwnTable", 5,
                    R"({"type":"usage","usage":"kUsageTypeFilePath","value":"/a/b","value_type":"string"})",
                    R"([{"key":"文件路径","type":"usage","value":"/a/b"}])"},
        DynamicCase{"CommentsOnlyGiveAnEmptyArray", 0, R"({"type":"comment","comment":"Null parameter received."})",
                    "[]"},
        DynamicCase{"NoItemsGiveAnEmptyArray", 0, "", "[]"},
        DynamicCase{"ArrayOfAttributeIds", 0,
                    R"({"type":"usage","usage":"kUsageTypeAffectedAttribute","value":[1,4294967295],"value_type":"uint32_t"})",
                    R"([{"key":"Affected Attribute","type":"usage","value":["0x00000001","0xFFFFFFFF"]}])"},
        DynamicCase{"AttributeIdOutOfRange", 0,
                    R"({"type":"usage","usage":"kUsageTypeConflictingAttr","value":[-1,1e300,"x"],"value_type":"int32_t"})",
                    R"([{"key":"Conflicting Attribute","type":"usage","value":["0xFFFFFFFF","0x00000000","0x00000000"]}])"},
        DynamicCase{"NestedValuesAsJson", 0,
                    R"({"type":"usage","usage":"kUsageTypeValue","value":[[1],{"a":null},true,null],"value_type":"string"})",
                    R"([{"key":"Value","type":"usage","value":["[1]","{\"a\":null}","true","null"]}])"},
        DynamicCase{"EnumWithoutNamesShowsValue", 0,
                    R"({"type":"usage","usage":"kUsageTypeValue","value":3,"value_type":{"type":"enum","id":5}})",
                    R"([{"key":"Value","type":"usage","value":"3"}])"},
        DynamicCase{"OtherValueTypeObjectHasNoValue", 0,
                    R"({"type":"usage","usage":"kUsageTypeValue","value":3,"value_type":{"type":"bits"}})",
                    R"([{"key":"Value","type":"usage"}])"},
        DynamicCase{"ElaborationHeaderEmpty", 0,
                    R"({"type":"elaboration","usage":"kUsageTypeFilePath"},{"type":"header","usage":"kNoSuchTerm"},{"type":"empty"})",
                    R"([{"type":"elaboration","value":"File Path"},{"type":"header","value":"kNoSuchTerm"},{"type":"empty"}])"},
        DynamicCase{"InvalidLanguageIsEnglish", 9,
                    R"({"type":"usage","usage":"kUsageTypeChannelName","value":"CH1","value_type":"string"})",
                    R"([{"key":"Channel Name","type":"usage","value":"CH1"}])"}),
    [](const ::testing::TestParamInfo<DynamicCase>& info) { return info.param.name; });

// The label of each language as its term source has it, delivered in UTF-8.
TEST_F(LuaXlatorTest, LabelsComeFromEachLanguagesTable) {
    ASSERT_NE(create(), nullptr) << status_.text();
    const char* codes[] = {"eng", "fra", "deu", "jpn"};  // languages 0 to 3
    for (uint32_t i = 0; i < 4; ++i) {
        std::ifstream source(std::string(ORV_TEST_SOURCE_DIR) + "/data/terms/commonTerms_" + codes[i] + ".tsv");
        std::string line, label;
        while (std::getline(source, line))
            if (line.rfind("kUsageTypeFilePath\t", 0) == 0) label = line.substr(line.find('\t') + 1);
        ASSERT_FALSE(label.empty()) << codes[i];
        const std::string answer = dynamicDesc(
            statusDocument(R"({"type":"usage","usage":"kUsageTypeFilePath","value":"/a","value_type":"string"})"),
            i);
        EXPECT_EQ(dynamicPart(answer), "[{\"key\":\"" + label + "\",\"type\":\"usage\",\"value\":\"/a\"}]");
    }
}

TEST_F(LuaXlatorTest, DebugPartCarriesLocationAndTheRest) {
    ASSERT_NE(create(), nullptr) << status_.text();
    const std::string answer = dynamicDesc(statusDocument(""), 0);
    rapidjson::Document document;
    document.Parse(answer.c_str());
    ASSERT_TRUE(document.HasMember("debug")) << answer;
    const rapidjson::Value& debug = document["debug"];
    ASSERT_EQ(debug.Size(), 4u) << answer;
    EXPECT_STREQ(debug[0]["key"].GetString(), "Component");
    EXPECT_STREQ(debug[0]["value"].GetString(), "Helvar");
    EXPECT_STREQ(debug[1]["value"].GetString(), "src/x.cpp");
    EXPECT_STREQ(debug[2]["value"].GetString(), "12");
    EXPECT_STREQ(debug[3]["key"].GetString(), "rest_of_input_json");
    rapidjson::Document rest;
    rest.Parse(debug[3]["value"].GetString());
    EXPECT_TRUE(rest.HasMember("error_constant"));
    EXPECT_FALSE(rest.HasMember("translator_info"));
    EXPECT_FALSE(rest.HasMember("line"));
}

TEST_F(LuaXlatorTest, OtherFormatIsReportedAsUnsupported) {
    ASSERT_NE(create(), nullptr) << status_.text();
    EXPECT_EQ(dynamicDesc(statusDocument(""), 0, "json2"), "<null>");
    EXPECT_EQ(status_.code, -52029);
    EXPECT_NE(std::string(status_.text()).find("\"error_constant\":\"(int32_t)lua_tointeger(L, -1)\""),
              std::string::npos)
        << status_.text();
    EXPECT_NE(std::string(status_.text()).find("failed to get dynamic desc"), std::string::npos);
}

TEST_F(LuaXlatorTest, MalformedDocumentFailsTheCall) {
    ASSERT_NE(create(), nullptr) << status_.text();
    EXPECT_EQ(dynamicDesc("{not json", 0), "<null>");
    EXPECT_EQ(status_.code, -52003);
    EXPECT_NE(std::string(status_.text()).find("\"api\":\"lua\""), std::string::npos) << status_.text();
    EXPECT_NE(std::string(status_.text()).find("failed to get dynamic desc"), std::string::npos);
}

TEST_F(LuaXlatorTest, EarlierErrorStandsAndNothingIsAsked) {
    ASSERT_NE(create(), nullptr) << status_.text();
    orverr::setCode(status_, -5);
    EXPECT_EQ(staticDesc(-1074100297, 0), "<null>");
    EXPECT_EQ(status_.code, -5);
}

struct StaticCase {
    const char* name;
    uint32_t language;
    const char* expected;  // UTF-8
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const StaticCase& c, std::ostream* os) { *os << c.name; }


class StaticDescription : public LuaXlatorTest, public ::testing::WithParamInterface<StaticCase> {
protected:
    void SetUp() override {
        LuaXlatorTest::SetUp();
        // The driver's English folder only, in code page 1252.
        write("MIerrors/Digiscan/English/Digiscan-errors.txt",
              explanationFile(definition(-1074100297, "Sch\xE9ma refused.")));
        // The standard folder: Japanese in code page 932, English beside it.
        write("Errors/Japanese/errors.txt", explanationFile(definition(-52005, "\x93\xFA\x96\x7B")));
        write("Errors/English/errors.txt", explanationFile(definition(-52005, "Invalid parameter.") +
                                                           definition(-52006, "Not found.")));
    }
};

TEST_P(StaticDescription, FindsAndConvertsTheText) {
    const StaticCase& c = GetParam();
    ASSERT_NE(create(), nullptr) << status_.text();
    const int32_t code = std::string(c.name).rfind("Driver", 0) == 0 ? -1074100297
                         : std::string(c.name).rfind("Missing", 0) == 0 ? 12345
                         : std::string(c.name).rfind("Standard", 0) == 0 ? -52005
                                                                           : -52006;
    EXPECT_EQ(staticDesc(code, c.language), c.expected);
    EXPECT_EQ(status_.code, 0) << status_.text();
}

INSTANTIATE_TEST_SUITE_P(
    Table, StaticDescription,
    ::testing::Values(StaticCase{"DriverEnglish", 0, "Sch\xC3\xA9ma refused."},
                      StaticCase{"DriverFrenchFromEnglish", 1, "Sch\xC3\xA9ma refused."},
                      // The English text is read as 1252, not as the Japanese page.
                      StaticCase{"DriverJapaneseFromEnglish", 3, "Sch\xC3\xA9ma refused."},
                      StaticCase{"StandardJapanese", 3, "\xE6\x97\xA5\xE6\x9C\xAC"},
                      StaticCase{"StandardGermanFromEnglish", 2, "Invalid parameter."},
                      StaticCase{"EnglishFolderOnly", 5, "Not found."},
                      StaticCase{"MissingEverywhere", 0, "Error description not found"}),
    [](const ::testing::TestParamInfo<StaticCase>& info) { return info.param.name; });

// A language past the table: an English text is still English; no text at all cannot be
// delivered in a language that does not exist.
TEST_F(StaticDescription, InvalidLanguage) {
    ASSERT_NE(create(), nullptr) << status_.text();
    EXPECT_EQ(staticDesc(-52006, 7), "Not found.");
    EXPECT_EQ(status_.code, 0) << status_.text();
    EXPECT_EQ(staticDesc(12345, 7), "<null>");
    EXPECT_EQ(status_.code, -52003);
    EXPECT_NE(std::string(status_.text()).find("invalid language"), std::string::npos) << status_.text();
}

TEST_F(LuaXlatorTest, WithoutSharedFolderNothingIsFound) {
    testsupport::setEnvironment("ORV_REGISTRY_FILE", (root_ / "none.reg").u8string());
    ASSERT_NE(create(), nullptr) << status_.text();
    EXPECT_EQ(staticDesc(-52005, 0), "Error description not found");
    EXPECT_EQ(status_.code, 0) << status_.text();
}

struct BadRegistration {
    const char* name;
    const char* registration;
};
// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadRegistration& c, std::ostream* os) { *os << c.name; }


class BadRegistrationInfo : public LuaXlatorTest, public ::testing::WithParamInterface<BadRegistration> {};

TEST_P(BadRegistrationInfo, IsRefusedWithTheText) {
    EXPECT_EQ(create(GetParam().registration), nullptr);
    EXPECT_EQ(status_.code, -52003);
    const std::string text = status_.text();
    EXPECT_NE(text.find("\"debug\":\"lua setupEnv failed\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"name\":\"mxlator_Digiscan\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"registrationInfo\":"), std::string::npos) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadRegistrationInfo,
    ::testing::Values(BadRegistration{"NotJson", "not json"}, BadRegistration{"NotAnObject", "[1,2]"},
                      BadRegistration{"NoScript", "{}"},
                      BadRegistration{"UnknownScript", "{\"orvxlatorlua_xlator\":\"nosuch\"}"}),
    [](const ::testing::TestParamInfo<BadRegistration>& info) { return info.param.name; });

// A translator script from a search folder, answering what a script should not.
TEST_F(LuaXlatorTest, ResultThatIsNotTextIsAFailure) {
    write("scripts/oddxlator.lua",
          "local m = {}\n"
          "function m.getStaticDesc(code)\n"
          "  if code == 1 then return 42 end\n"
          "  if code == 3 then require('commonTerms_eng')\n"
          "    return usageTypes_eng.getString('kUsageTypeFilePath') .. '|' .. type(usageTypes_eng.tprint)\n"
          "      .. '|' .. tostring(require('commonTerms_eng').getString('kNoSuchTerm')) end\n"
          "  return {}\n"
          "end\n"
          "function m.getDynamicDesc() return nil end\n"
          "return m\n");
    const std::string registration =
        "{\"orvxlatorlua_xlator\":\"oddxlator\",\"orvxlatorlua_path\":\"" + quoted(root_ / "shared" / "scripts") +
        "\"}";
    xlator_ = orvxlatorlua::createLuaXlator("odd", registration.c_str(), status_);
    ASSERT_NE(xlator_, nullptr) << status_.text();
    EXPECT_EQ(staticDesc(1, 0), "42");
    EXPECT_EQ(staticDesc(3, 0), "File Path|function|nil");
    EXPECT_EQ(staticDesc(2, 0), "<null>");
    EXPECT_EQ(status_.code, -52003);
    EXPECT_NE(std::string(status_.text()).find("\"resultType\":\"table\""), std::string::npos) << status_.text();
    status_.release();
    EXPECT_EQ(dynamicDesc("{}", 0), "<null>");
    EXPECT_EQ(status_.code, -52003);
    EXPECT_NE(std::string(status_.text()).find("\"resultType\":\"nil\""), std::string::npos) << status_.text();
}

// What the scripts see of the state: the modules, the native helpers and their failures. The
// probe translator runs the "document" it is handed as a chunk.
struct ProbeCase {
    const char* name;
    const char* chunk;
    const char* result;  // expected text, or the expected part of the failure
    bool fails;
};

void PrintTo(const ProbeCase& c, std::ostream* os) { *os << c.name; }

class ScriptEnvironment : public LuaXlatorTest, public ::testing::WithParamInterface<ProbeCase> {};

TEST_P(ScriptEnvironment, Answers) {
    const ProbeCase& c = GetParam();
    write("scripts/probe.lua",
          "local m = {}\n"
          "function m.getDynamicDesc(chunk) return assert(loadstring(chunk))() end\n"
          "return m\n");
    const std::string registration = "{\"orvxlatorlua_xlator\":\"probe\",\"orvxlatorlua_path\":\"" +
                                     quoted(root_ / "shared" / "scripts") + "\"}";
    xlator_ = orvxlatorlua::createMxlator("mxlator_Digiscan", registration.c_str(), status_);
    ASSERT_NE(xlator_, nullptr) << status_.text();
    std::string chunk = c.chunk;
    const std::string shared = (root_ / "shared").string();
    for (std::string::size_type at; (at = chunk.find("ROOT")) != std::string::npos;) chunk.replace(at, 4, shared);
    std::string expected = c.result;
    for (std::string::size_type at; (at = expected.find("ROOT")) != std::string::npos;) expected.replace(at, 4, shared);
    const std::string answer = dynamicDesc(chunk, 0);
    if (c.fails) {
        EXPECT_EQ(answer, "<null>");
        EXPECT_EQ(status_.code, -52003);
        EXPECT_NE(std::string(status_.text()).find(expected), std::string::npos) << status_.text();
    } else {
        EXPECT_EQ(status_.code, 0) << status_.text();
        EXPECT_EQ(answer, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScriptEnvironment,
    ::testing::Values(
        ProbeCase{"LanguageFolder", "return orvxlatorluautils.convertLangToDir(3)", "Japanese", false},
        ProbeCase{"InvalidLanguageFolder", "return orvxlatorluautils.convertLangToDir(6)", "invalid language", true},
        ProbeCase{"WesternToUtf8", "return orvxlatorluautils.mbsToUtf8(1, 'caf\\233')", "caf\xC3\xA9", false},
        ProbeCase{"JapaneseToUtf8", "return orvxlatorluautils.mbsToUtf8(3, '\\147\\250')", "\xE6\x97\xA5", false},
        ProbeCase{"InvalidLanguageText", "return orvxlatorluautils.mbsToUtf8(7, 'x')", "invalid language", true},
        ProbeCase{"ExpandPath", "return orvxlatorluautils.expandPath('mxlator_Digiscan', '$_orvShared32Dir/Errors')",
                  "ROOT\\Errors", false},
        ProbeCase{"LookupVariable", "return orvxlatorluautils.lookupVariable('mxlator_Digiscan', '_orvShared32Dir')",
                  "ROOT", false},
        ProbeCase{"UnknownVariable", "return orvxlatorluautils.lookupVariable('mxlator_Digiscan', 'nothing')",
                  "orvsysq_debug", true},
        ProbeCase{"MissingFolder", "return orvxlatorluautils.findErrorDescriptionFromDir('ROOT/nowhere', 5)",
                  "open dir failed", true},
        ProbeCase{"FileLookupIsFolderLookup",
                  "return tostring(orvxlatorluautils.findErrorDescriptionFromFile == "
                  "orvxlatorluautils.findErrorDescriptionFromDir)",
                  "true", false},
        ProbeCase{"EmbeddedJson", "return require('json').encode({1, 2})", "[1,2]", false},
        ProbeCase{"EmbeddedUtil", "return type(require('util').serialise_value)", "function", false},
        ProbeCase{"NativeModulesRequired",
                  "return tostring(require('lfs') == lfs and require('cjson') == cjson and "
                  "require('stdint') == stdint and require('orvxlatorluautils') == orvxlatorluautils)",
                  "true", false},
        ProbeCase{"LanguageNames",
                  "local u = require('orvmxl_utilities') return u.convertLangShortToLong('zzz') .. "
                  "tostring(u.convertLangLongToShort('Zzzzzzz')) .. u.convertLangLongToShort('ChineseS')",
                  "Zzzzzzznilchs", false},
        ProbeCase{"LanguageCodes", "return table.concat(require('mxlator').ThreeLetterLngStrings, ',')",
                  "eng,fra,deu,jpn,kor,chs", false},
        ProbeCase{"NoAttributeNames", "return tostring(require('orvmxl_defaultAttrTable').getAttribute('00000001'))",
                  "nil", false},
        ProbeCase{"NoNativeSearchPath", "return package.cpath", "", false},
        ProbeCase{"CodesAreNotRemapped", "return 'code ' .. orvmxl_unmapErrorCode(-52005.7)", "code -52005", false},
        ProbeCase{"StdIntDivisionByZero", "return tostring(stdint.u64(1) / 0)", "division by zero", true},
        ProbeCase{"ErrorCarriesTraceback", "error('deliberate')", "stack traceback", true}),
    [](const ::testing::TestParamInfo<ProbeCase>& info) { return info.param.name; });

TEST_F(LuaXlatorTest, EveryTranslationHasItsOwnState) {
    ASSERT_NE(create(), nullptr) << status_.text();
    orverr::Status other;
    orvxlator::XlatorInterface* second = orvxlatorlua::createMxlator("mxlator_Digiscan", kRegistration, other);
    ASSERT_NE(second, nullptr) << other.text();
    EXPECT_EQ(second->size, 32u);
    char* text = second->getDynamicDesc(second, statusDocument("").c_str(), 0, "json1", &orvxlator::xlatorRealloc,
                                        nullptr, &other);
    EXPECT_NE(text, nullptr);
    std::free(text);
    second->destroy(second);
    EXPECT_EQ(dynamicPart(dynamicDesc(statusDocument(""), 0)), "[]");
}

}  // namespace
