// Export, import, save and restore through libHelvar.so's exports on simulated digitizer sessions.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#include <sstream>
#include <string>
#include <vector>

#include <rapidjson/document.h>

#include "Helvar.h"
#include "IviEngine.h"
#include "support/SimSession.h"

namespace {

using spine_test::pendingError;
using spine_test::SimSession;

// The values of a recorded description, line by line: what follows each label and its colon.
std::vector<std::string> describedValues(const std::string& description) {
    std::vector<std::string> values;
    std::istringstream lines(description);
    for (std::string line; std::getline(lines, line);) {
        const size_t colon = line.find(": ");
        if (colon != std::string::npos) values.push_back(line.substr(colon + 2));
    }
    return values;
}

class HelvarSession {
public:
    explicit HelvarSession(const std::string& options = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=")
        : sim(options) {
        initStatus = Helvar_Initialize(sim.vi());
    }
    ~HelvarSession() { Helvar_Close(sim.vi()); }
    ViSession vi() const { return sim.vi(); }

    std::string exportText() {
        const ViStatus needed = Helvar_ExportAttributeConfigurationBuffer(vi(), 0, nullptr);
        EXPECT_GT(needed, 0);
        std::vector<char> buffer(static_cast<size_t>(needed) + 16, '#');
        EXPECT_EQ(VI_SUCCESS, Helvar_ExportAttributeConfigurationBuffer(vi(), static_cast<ViInt32>(buffer.size()),
                                                                        buffer.data()));
        return buffer.data();
    }
    ViStatus importText(const std::string& text) {
        return Helvar_ImportAttributeConfigurationBuffer(vi(), static_cast<ViInt32>(text.size()), text.c_str());
    }
    double desiredReal(ViConstString channel, ViAttr id) {
        ViReal64 v = 0;
        EXPECT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViReal64(vi(), channel, id, 1, &v));
        return v;
    }
    ViInt32 desiredInt32(ViAttr id) {
        ViInt32 v = 0;
        EXPECT_EQ(VI_SUCCESS, DigiscanSub_GetAttributeWithOptionsViInt32(vi(), "", id, 1, &v));
        return v;
    }
    ViBoolean wasSet(ViConstString channel, ViAttr id) { return Ivi_AttributeWasSetByUser(vi(), channel, id); }

    SimSession sim;
    ViStatus initStatus = 0;
};

class ExportsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        SimIvi_ClearInjections();
        ASSERT_EQ(VI_SUCCESS, source.initStatus);
        const ViSession vi = source.vi();
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 0.3));
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViInt64(vi, "", DIGISCAN_ATTR_RECORD_LENGTH, 1000));
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViString(vi, "", DIGISCAN_ATTR_TRIGGER_SOURCE, "External"));
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViInt32(vi, "", DIGISCAN_ATTR_TRIGGER_SLOPE, DIGISCAN_VAL_NEGATIVE));
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViBoolean(vi, "0", DIGISCAN_ATTR_CHANNEL_ENABLED, VI_FALSE));
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViSession(vi, "", DIGISCAN_ATTR_MASTER_SESSION, 12));
        static int userData;
        ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViAddr(vi, "", DIGISCAN_ATTR_USER_DATA, &userData));
    }
    void TearDown() override { SimIvi_ClearInjections(); }

    HelvarSession source;
};

TEST_F(ExportsEndToEnd, TheDocumentCarriesTheDesiredValuesOfUserSetAttributes) {
    const std::string text = source.exportText();
    rapidjson::Document d;
    ASSERT_FALSE(d.Parse(text.c_str()).HasParseError()) << text;
    EXPECT_EQ(DIGISCAN_DEFAULT_MODEL, d["devices"][0]["modelNumber"].GetInt());
    EXPECT_STREQ("Simulate=1,RangeCheck=1,Cache=1,DriverSetup=", d["session"]["optionString"].GetString());
    EXPECT_STREQ("", d["session"]["channels"].GetString());
    std::ostringstream seen;
    for (const auto& e : d["attributes"].GetArray()) {
        seen << e["id"].GetUint() << "/" << e["channel"].GetString() << " ";
        if (e["id"].GetUint() == DIGISCAN_ATTR_VERTICAL_RANGE) {
            EXPECT_EQ(0.3, e["value"].GetDouble());  // what was asked for, not the coerced 1.0
        }
        EXPECT_NE(DIGISCAN_ATTR_USER_DATA, e["id"].GetUint());
    }
    EXPECT_EQ("1250001/1 1250005/0 1250011/ 1250012/ 1250014/ 1250016/ ", seen.str());
    EXPECT_EQ(std::string::npos, text.find('\r'));
    EXPECT_EQ('}', text.back());
}

TEST_F(ExportsEndToEnd, AFileExportAppliesToAFreshSession) {
    const std::string path = ::testing::TempDir() + "helvar-impexp-e2e.json";
    ASSERT_EQ(VI_SUCCESS, Helvar_ExportAttributeConfigurationFile(source.vi(), path.c_str()));
    std::string fileText;
    {
        // Closed before the file is removed below: Windows does not delete a file that is open.
        std::ifstream in(path, std::ios::binary);
        fileText.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(std::string::npos, fileText.find('\0'));

    HelvarSession target;
    ASSERT_EQ(VI_SUCCESS, target.initStatus);
    ASSERT_EQ(VI_SUCCESS, Helvar_ImportAttributeConfigurationFile(target.vi(), path.c_str()));
    EXPECT_EQ(0.3, target.desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(DIGISCAN_VAL_NEGATIVE, target.desiredInt32(DIGISCAN_ATTR_TRIGGER_SLOPE));
    EXPECT_EQ(VI_TRUE, target.wasSet("0", DIGISCAN_ATTR_CHANNEL_ENABLED));
    EXPECT_EQ(VI_FALSE, target.wasSet("0", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_USER_DATA));
    // Both now hold the same settings.
    const std::string again = target.exportText();
    EXPECT_EQ(fileText.substr(fileText.find("\"session\"")), again.substr(again.find("\"session\"")));
    std::remove(path.c_str());

    EXPECT_EQ(HELVAR_ERROR_READING_FILE, Helvar_ImportAttributeConfigurationFile(target.vi(), path.c_str()));
    EXPECT_EQ(HELVAR_ERROR_READING_FILE, pendingError(target.vi()).primary);
}

// A byte-order mark is not part of the document format: a file or buffer that starts with one is
// refused as malformed, and nothing is applied.
TEST_F(ExportsEndToEnd, AFileWithAByteOrderMarkIsRefusedAndTheSameFileWithoutItApplies) {
    const std::string path = ::testing::TempDir() + "r\xc3\xa9glages-\xe6\xb8\xac\xe5\xae\x9a.json";
    const std::string text = source.exportText();
    {
        std::ofstream out(std::filesystem::u8path(path), std::ios::binary);
        out << "\xEF\xBB\xBF" << text;
    }
    HelvarSession target;
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, Helvar_ImportAttributeConfigurationFile(target.vi(), path.c_str()));
    EXPECT_EQ(VI_FALSE, target.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, target.importText("\xEF\xBB\xBF" + text));
    {
        std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
        out << text;
    }
    ASSERT_EQ(VI_SUCCESS, Helvar_ImportAttributeConfigurationFile(target.vi(), path.c_str()));
    EXPECT_EQ(0.3, target.desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    // A mark alone is an empty document.
    {
        std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
        out << "\xEF\xBB\xBF";
    }
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, Helvar_ImportAttributeConfigurationFile(target.vi(), path.c_str()));
    std::filesystem::remove(std::filesystem::u8path(path));
}

TEST_F(ExportsEndToEnd, BufferSizesCountingTheNulOrNotImportTheSame) {
    const std::string text = source.exportText();
    HelvarSession target;
    EXPECT_EQ(VI_SUCCESS, Helvar_ImportAttributeConfigurationBuffer(target.vi(), static_cast<ViInt32>(text.size() + 1),
                                                                    text.c_str()));
    EXPECT_EQ(VI_SUCCESS, target.importText(text));
    EXPECT_EQ(0.3, target.desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, Helvar_ImportAttributeConfigurationBuffer(target.vi(), 40, text.c_str()));
}

TEST_F(ExportsEndToEnd, IncompatibleDocumentsAreRefusedWithADescription) {
    const std::string text = source.exportText();
    HelvarSession other("Simulate=1,DriverSetup=Model:5124");
    ASSERT_EQ(VI_SUCCESS, other.initStatus);
    EXPECT_EQ(HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER, other.importText(text));
    const auto error = pendingError(other.vi());
    EXPECT_EQ(HELVAR_ERROR_INCOMPATIBLE_MODEL_NUMBER, error.primary);
    EXPECT_FALSE(error.elaboration.empty());
    EXPECT_EQ(VI_FALSE, other.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE));

    std::string channels = text;
    channels.replace(channels.find("\"channels\": \"\""), 14, "\"channels\": \"0,1\"");
    EXPECT_EQ(HELVAR_ERROR_INCOMPATIBLE_SESSION_CHANNELS, source.importText(channels));
    std::string schema = text;
    schema.replace(schema.find("\"value\""), 7, "\"valu\"");
    EXPECT_EQ(HELVAR_ERROR_INVALID_SCHEMA, source.importText(schema));
    std::string version = text;
    version.replace(version.find("4.5.5f0"), 7, "4.5.5x0");
    EXPECT_EQ(HELVAR_ERROR_INVALID_VERSION_FORMAT, source.importText(version));
    std::string newer = text;
    newer.replace(newer.find("\"oldestCompatibleFormatVersion\": 1"), 34, "\"oldestCompatibleFormatVersion\": 2");
    EXPECT_EQ(HELVAR_ERROR_LIBRARY_OUT_OF_DATE, source.importText(newer));
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, source.importText("\xEF\xBB\xBF" + text));
}

TEST_F(ExportsEndToEnd, ARefusedValueLeavesTheEarlierEntriesApplied) {
    const std::string text = source.exportText();
    HelvarSession target;
    // The third entry (record length) is refused by the engine.
    const ViStatus refusal = -1074135024;
    ASSERT_EQ(VI_SUCCESS, SimIvi_Inject("Ivi_SetAttributeViInt64", SIMIVI_INJECT_FAIL, refusal,
                                        DIGISCAN_ATTR_RECORD_LENGTH, 0, -1));
    EXPECT_EQ(refusal, target.importText(text));
    EXPECT_EQ(VI_TRUE, target.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(VI_TRUE, target.wasSet("0", DIGISCAN_ATTR_CHANNEL_ENABLED));
    EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_RECORD_LENGTH));
    EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_TRIGGER_SOURCE));
    EXPECT_EQ(refusal, pendingError(target.vi()).primary);
}

namespace {

std::string documentEntry(ViAttr id, const char* name, const char* channel, const std::string& value) {
    return "{\"id\": " + std::to_string(id) + ", \"name\": \"" + name + "\", \"channel\": \"" + channel +
           "\", \"value\": " + value + "}";
}

// The document text with its "attributes" replaced by these entries.
std::string withEntries(const std::string& text, const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& e : entries) list += (list.empty() ? "" : ", ") + e;
    return text.substr(0, text.find("\"attributes\"")) + "\"attributes\": [" + list + "]}";
}

}  // namespace

// What the engine or the driver refuses while a document applies is named by its place in
// "attributes", its id, its name and its channel; the code is theirs, the entries before it stay.
TEST_F(ExportsEndToEnd, ARefusedEntryIsNamedInTheDescription) {
    struct Case {
        const char* what;
        ViAttr id;
        const char* name;
        const char* channel;
        const char* value;
        ViStatus code;
        bool earlierApplied;
    };
    const Case cases[] = {
        {"a value out of range", DIGISCAN_ATTR_TRIGGER_LEVEL, "DIGISCAN_ATTR_TRIGGER_LEVEL", "", "50.0",
         IVI_ERROR_INVALID_VALUE, true},
        {"a misspelt enumeration", DIGISCAN_ATTR_TRIGGER_SOURCE, "source", "", "\"Externl\"", IVI_ERROR_INVALID_VALUE, true},
        {"an unknown channel", DIGISCAN_ATTR_VERTICAL_OFFSET, "offset", "9", "0.5", IVI_ERROR_UNKNOWN_CHANNEL_NAME, true},
        {"a channel for an attribute without channels", DIGISCAN_ATTR_TRIGGER_LEVEL, "level", "0", "1.0",
         IVI_ERROR_CHANNEL_NAME_NOT_ALLOWED, true},
        {"a read-only attribute", DIGISCAN_ATTR_DEVICE_TEMPERATURE, "temperature", "", "30.0", IVI_ERROR_ATTR_NOT_WRITABLE,
         true},
        // Found while validating, so nothing at all is applied.
        {"an unknown id", 1259999, "missing", "", "1", IVI_ERROR_ATTRIBUTE_NOT_SUPPORTED, false},
    };
    const std::string first = documentEntry(DIGISCAN_ATTR_VERTICAL_RANGE, "DIGISCAN_ATTR_VERTICAL_RANGE", "1", "0.3");
    const std::string after = documentEntry(DIGISCAN_ATTR_TRIGGER_SLOPE, "DIGISCAN_ATTR_TRIGGER_SLOPE", "", "1");
    const std::string text = source.exportText();
    for (const Case& c : cases) {
        HelvarSession target;
        const std::string refused = documentEntry(c.id, c.name, c.channel, c.value);
        EXPECT_EQ(c.code, target.importText(withEntries(text, {first, refused, after}))) << c.what;
        const auto error = pendingError(target.vi());
        EXPECT_EQ(c.code, error.primary) << c.what;
        // Position, id (shown by the driver's name for it, or in hexadecimal), name, channel.
        char hexId[16];
        std::snprintf(hexId, sizeof hexId, "0x%08X", c.id);
        std::vector<std::string> expected = {"2", hexId, c.name};
        if (*c.channel != '\0') expected.emplace_back(c.channel);
        auto values = describedValues(error.elaboration);
        ASSERT_GE(values.size(), expected.size()) << c.what << ": " << error.elaboration;
        values.erase(values.begin(), values.end() - static_cast<long>(expected.size()));
        if (values[1] != hexId) expected[1] = values[1].rfind("DIGISCAN_ATTR_", 0) == 0 ? values[1] : hexId;
        EXPECT_EQ(expected, values) << c.what << ": " << error.elaboration;
        EXPECT_EQ(c.earlierApplied ? VI_TRUE : VI_FALSE, target.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE)) << c.what;
        EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_TRIGGER_SLOPE)) << c.what;
    }
}

// Documents that no export writes are refused before anything is applied: entries for the
// session's own options (a range check switched off for a 50 V trigger level after it, simulation
// switched off) and member names that occur twice in one object, whichever of the two a reader takes.
TEST_F(ExportsEndToEnd, SessionOptionsAndRepeatedNamesAreRefusedBeforeAnythingIsApplied) {
    const std::string text = source.exportText();
    const std::string level = documentEntry(DIGISCAN_ATTR_TRIGGER_LEVEL, "DIGISCAN_ATTR_TRIGGER_LEVEL", "", "50.0");
    const std::string range = documentEntry(DIGISCAN_ATTR_VERTICAL_RANGE, "DIGISCAN_ATTR_VERTICAL_RANGE", "1", "0.3");
    std::string repeatedModel = text;
    repeatedModel.replace(repeatedModel.find("\"modelNumber\": "), 0, "\"modelNumber\": 9999, ");
    std::string repeatedValue = withEntries(text, {range});
    repeatedValue.replace(repeatedValue.find("\"value\": "), 0, "\"value\": 5.0, ");
    struct Case {
        const char* what;
        std::string document;
        std::vector<std::string> values;
    };
    std::vector<Case> cases = {
        {"a repeated model number", repeatedModel, {"#/devices/0/modelNumber"}},
        {"a repeated value", repeatedValue, {"#/attributes/0/value"}},
    };
    for (ViAttr option : {1050002u, 1050003u, 1050004u, 1050005u, 1050006u, 1050007u, 1050021u}) {
        const std::string value = option == 1050007u ? "\"\"" : "false";
        cases.push_back({"a session option",
                         withEntries(text, {range, documentEntry(option, "OPTION", "", value), level}),
                         {"#/properties/attributes/items/properties/id", "not", "#/attributes/1/id"}});
    }
    for (const Case& c : cases) {
        HelvarSession target("Simulate=1,RangeCheck=1,Cache=1,DriverSetup=");
        EXPECT_EQ(HELVAR_ERROR_INVALID_SCHEMA, target.importText(c.document)) << c.what;
        const auto values = describedValues(pendingError(target.vi()).elaboration);
        EXPECT_TRUE(std::search(values.begin(), values.end(), c.values.begin(), c.values.end()) != values.end())
            << c.what << ": " << pendingError(target.vi()).elaboration;
        EXPECT_EQ(VI_FALSE, target.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE)) << c.what;
        EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_TRIGGER_LEVEL)) << c.what;
        ViBoolean simulating = VI_FALSE;
        ASSERT_EQ(VI_SUCCESS, Ivi_GetAttributeViBoolean(target.vi(), "", 1050005, 0, &simulating));
        EXPECT_EQ(VI_TRUE, simulating) << c.what;
    }
}

TEST_F(ExportsEndToEnd, SaveAndRestoreReapplyTheLastSnapshot) {
    const ViSession vi = source.vi();
    EXPECT_EQ(HELVAR_ERROR_CORRUPTED_FORMAT, Helvar_RestoreAttributes(vi));
    ASSERT_EQ(VI_SUCCESS, Helvar_SaveAttributes(vi));
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 4.0));
    ASSERT_EQ(VI_SUCCESS, Helvar_SaveAttributes(vi));
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 0.05));
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViInt32(vi, "", DIGISCAN_ATTR_TRIGGER_SLOPE, DIGISCAN_VAL_POSITIVE));
    ASSERT_EQ(VI_SUCCESS, Helvar_RestoreAttributes(vi));
    EXPECT_EQ(4.0, source.desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
    EXPECT_EQ(DIGISCAN_VAL_NEGATIVE, source.desiredInt32(DIGISCAN_ATTR_TRIGGER_SLOPE));
    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViReal64(vi, "1", DIGISCAN_ATTR_VERTICAL_RANGE, 0.05));
    ASSERT_EQ(VI_SUCCESS, Helvar_RestoreAttributes(vi));
    EXPECT_EQ(4.0, source.desiredReal("1", DIGISCAN_ATTR_VERTICAL_RANGE));
}

TEST(ExportsEndToEndPlain, AnAttributeAddedAfterInitializeIsNeitherExportedNorSaved) {
    HelvarSession session;
    ASSERT_EQ(VI_SUCCESS, session.initStatus);
    ASSERT_EQ(VI_SUCCESS, SimIvi_AddAttribute(session.vi(), nullptr, 1290001, "LATE", IVI_VAL_INT32, 0));
    SimIvi_Value value{};
    value.type = IVI_VAL_INT32;
    value.int32Value = 3;
    ASSERT_EQ(VI_SUCCESS, SimIvi_SetAttribute(session.vi(), "", 1290001, 1, &value));
    EXPECT_EQ(std::string::npos, session.exportText().find("1290001"));
    EXPECT_NE(std::string::npos, session.exportText().find("\"attributes\": []"));
    ASSERT_EQ(VI_SUCCESS, Helvar_SaveAttributes(session.vi()));
    value.int32Value = 4;
    ASSERT_EQ(VI_SUCCESS, SimIvi_SetAttribute(session.vi(), "", 1290001, 1, &value));
    ASSERT_EQ(VI_SUCCESS, Helvar_RestoreAttributes(session.vi()));
    SimIvi_Value after{};
    ASSERT_EQ(VI_SUCCESS, SimIvi_GetAttribute(session.vi(), "", 1290001, &after));
    EXPECT_EQ(4, after.int32Value);
}

}  // namespace

namespace {

#if !defined(_WIN32)
std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
#endif

}  // namespace

// A file export that cannot complete (here a file size limit) leaves the old document whole, says
// why, and leaves no temporary file behind; a symbolic link to the document stays a link.
TEST_F(ExportsEndToEnd, AFailedFileExportKeepsTheOldDocumentAndSaysWhy) {
#if defined(_WIN32)
    GTEST_SKIP() << "needs a file size limit (setrlimit), fork and symbolic links, which Windows lacks";
#else
    const std::string folder = ::testing::TempDir() + "helvar-export-limit-" + std::to_string(::getpid());
    ASSERT_EQ(0, ::mkdir(folder.c_str(), 0700));
    const std::string real = folder + "/doc.json";
    const std::string link = folder + "/link.json";
    ASSERT_EQ(VI_SUCCESS, Helvar_ExportAttributeConfigurationFile(source.vi(), real.c_str()));
    const std::string old = fileText(real);
    ASSERT_EQ(0, ::symlink("doc.json", link.c_str()));

    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {};
        limit.rlim_cur = limit.rlim_max = old.size() / 2;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const ViStatus status = Helvar_ExportAttributeConfigurationFile(source.vi(), link.c_str());
        const std::string why = pendingError(source.vi()).elaboration;
        ::_exit(status == HELVAR_ERROR_WRITING_FILE && why.find("File too large") != std::string::npos ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the export failed with the system's reason";
    EXPECT_EQ(old, fileText(real));

    ASSERT_EQ(VI_SUCCESS, Digiscan_SetAttributeViInt64(source.vi(), "", DIGISCAN_ATTR_RECORD_LENGTH, 2000));
    ASSERT_EQ(VI_SUCCESS, Helvar_ExportAttributeConfigurationFile(source.vi(), link.c_str()));
    struct stat linkStatus {};
    ASSERT_EQ(0, ::lstat(link.c_str(), &linkStatus));
    EXPECT_TRUE(S_ISLNK(linkStatus.st_mode));
    EXPECT_NE(old, fileText(real));
    EXPECT_NE(std::string::npos, fileText(real).find("2000"));
    ::unlink(link.c_str());
    ::unlink(real.c_str());
    EXPECT_EQ(0, ::rmdir(folder.c_str())) << "no temporary file is left";
#endif
}

// Texts that would reach the session must hold no NUL; the whole text must be UTF-8, which the
// parser checks as it reads, and says where it breaks.
TEST_F(ExportsEndToEnd, NulCharactersAndInvalidUtf8AreRefusedBeforeAnythingIsApplied) {
    const std::string text = source.exportText();
    struct Case {
        const char* what;
        const char* from;
        const char* to;
        ViStatus code;
        std::vector<std::string> values;
    };
    const std::string entryLine = std::to_string(std::count(text.begin(), text.begin() + text.find("\"External\""), '\n') + 1);
    const std::string invalid = "Invalid encoding in string.";
    const Case cases[] = {
        {"NUL in a string value", "\"External\"", "\"Ext\\u0000ernal\"", HELVAR_ERROR_INVALID_SCHEMA,
         {"#/properties/attributes/items/properties/value", "format", "#/attributes/3/value"}},
        {"NUL in a channel name", "\"channel\": \"1\"", "\"channel\": \"1\\u0000\"", HELVAR_ERROR_INVALID_SCHEMA,
         {"#/properties/attributes/items/properties/channel", "format", "#/attributes/0/channel"}},
        {"NUL in the session's channels", "\"channels\": \"\"", "\"channels\": \"\\u0000\"", HELVAR_ERROR_INVALID_SCHEMA,
         {"#/properties/session/properties/channels", "format", "#/session/channels"}},
        {"a surrogate in a string value", "\"External\"", "\"Ext\xED\xA0\x80\"", HELVAR_ERROR_CORRUPTED_FORMAT,
         {entryLine, "23", invalid}},
        {"a cut sequence in a string value", "\"External\"", "\"Ext\xE6\xB8\"", HELVAR_ERROR_CORRUPTED_FORMAT,
         {entryLine, "23", invalid}},
        {"an overlong form in a name", "\"DIGISCAN_ATTR_TRIGGER_SOURCE\"", "\"DIGISCAN_\xC0\xAF\"",
         HELVAR_ERROR_CORRUPTED_FORMAT, {std::to_string(std::stoi(entryLine) - 2), "28", invalid}},
        {"invalid UTF-8 in the option string", "DriverSetup=", "DriverSetup=\xFF", HELVAR_ERROR_CORRUPTED_FORMAT,
         {"7", "68", invalid}},
        {"invalid UTF-8 in the generator's name", "Helvar.dll", "Helvar\xE9.dll", HELVAR_ERROR_CORRUPTED_FORMAT,
         {"10", "22", invalid}},
        {"invalid UTF-8 in the time stamp", "\"timeStamp\": \"", "\"timeStamp\": \"\xF5\x80\x80\x80", HELVAR_ERROR_CORRUPTED_FORMAT,
         {"4", "18", invalid}},
        {"invalid UTF-8 in a member name of its own", "\"devices\"", "\"x\xED\xBF\xBF\": 1, \"devices\"",
         HELVAR_ERROR_CORRUPTED_FORMAT, {"13", "6", invalid}},
    };
    for (const Case& c : cases) {
        std::string changed = text;
        const size_t at = changed.find(c.from);
        ASSERT_NE(std::string::npos, at) << c.what;
        changed.replace(at, std::strlen(c.from), c.to);
        HelvarSession target;
        EXPECT_EQ(c.code, target.importText(changed)) << c.what;
        const auto error = pendingError(target.vi());
        const auto values = describedValues(error.elaboration);
        EXPECT_TRUE(std::search(values.begin(), values.end(), c.values.begin(), c.values.end()) != values.end())
            << c.what << ": " << error.elaboration;
        EXPECT_EQ(VI_FALSE, target.wasSet("1", DIGISCAN_ATTR_VERTICAL_RANGE)) << c.what;
        EXPECT_EQ(VI_FALSE, target.wasSet("", DIGISCAN_ATTR_TRIGGER_SOURCE)) << c.what;
    }
    // Well-formed text beyond ASCII goes through.
    std::string accented = text;
    accented.replace(accented.find("\"External\""), 10, "\"Ext\xC3\xA9rieur \xF0\x9F\x93\x88\"");
    HelvarSession target;
    EXPECT_NE(HELVAR_ERROR_INVALID_SCHEMA, target.importText(accented));
}
