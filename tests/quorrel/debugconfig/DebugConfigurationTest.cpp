// The debug settings file through the store's classes over a real file in a scratch folder.
#include <boost/numeric/conversion/converter_policies.hpp>

#include "common/orverr/Codes.h"
#include "common/platform/File.h"
#include "DebugConfigTestSupport.h"
#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/RollbackJournal.h"
#include "quorrel/debugconfig/StorageLocator.h"

using namespace nORVMISysAPICommon100;
using namespace debugconfigtest;
namespace codes = orverr::codes;

namespace {

constexpr const char* kDeviceA = "{11111111-2222-3333-4444-555555555555}";
constexpr const char* kDeviceB = "{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}";

// Counts the writes that reach the file (not its journal); with readOnly the file opens only for
// reading, as another user's file would.
class CountingFileSystem final : public platform::LockedFileSystemInterface {
public:
    std::unique_ptr<platform::LockedFileInterface> openExisting(const std::string& path, platform::OsError& error,
                                                                platform::FileAccess access) override {
        if (readOnly && access == platform::FileAccess::kReadWrite && path.find("-journal") == std::string::npos) {
            error.code = 13;
            error.message = "Permission denied";
            return nullptr;
        }
        auto file = platform::lockedFileSystem().openExisting(path, error, access);
        if (!file || path.find("-journal") != std::string::npos) return file;
        return std::make_unique<CountingFile>(std::move(file), writes);
    }
    bool createNew(const std::string& path, platform::OsError& error) override {
        return platform::lockedFileSystem().createNew(path, error);
    }
    void sleepMilliseconds(uint32_t milliseconds) override { platform::lockedFileSystem().sleepMilliseconds(milliseconds); }
    bool remove(const std::string& path, platform::OsError& error) override {
        return platform::lockedFileSystem().remove(path, error);
    }
    bool syncFolder(const std::string& path, platform::OsError& error) override {
        return platform::lockedFileSystem().syncFolder(path, error);
    }

    int writes = 0;
    bool readOnly = false;

private:
    class CountingFile final : public platform::LockedFileInterface {
    public:
        CountingFile(std::unique_ptr<platform::LockedFileInterface> file, int& writes)
            : file_(std::move(file)), writes_(writes) {}
        platform::LockAttempt tryLock(platform::LockKind k, platform::OsError& e) override {
            return file_->tryLock(k, e);
        }
        bool unlock(platform::OsError& e) override { return file_->unlock(e); }
        bool rewind(platform::OsError& e) override { return file_->rewind(e); }
        bool read(char* b, size_t s, size_t& c, platform::OsError& e) override { return file_->read(b, s, c, e); }
        bool write(const char* d, size_t s, platform::OsError& e) override {
            ++writes_;
            return file_->write(d, s, e);
        }
        bool flush(platform::OsError& e) override { return file_->flush(e); }
        bool truncate(uint64_t l, platform::OsError& e) override { return file_->truncate(l, e); }
        bool commit(platform::OsError& e) override { return file_->commit(e); }

    private:
        std::unique_ptr<platform::LockedFileInterface> file_;
        int& writes_;
    };
};

class DebugConfigurationTest : public ::testing::Test {
protected:
    DebugConfigurationTest() : folders_(scratch_.root()), locator_(folders_), store_(locator_, factory_, files_) {}

    void setFile(const std::string& text) { writeFile(scratch_.configFile(), text); }
    std::string fileText() const { return readFile(scratch_.configFile()); }
    // The stored entry of key as JSON text ("" when there is none).
    std::string entryText(const char* key) const {
        Json root = parseJson(fileText());
        const cJSON* entry = cJSON_GetObjectItemCaseSensitive(cJSON_GetObjectItemCaseSensitive(root.get(), "devices"), key);
        return entry == nullptr ? std::string() : unformatted(entry);
    }
    static std::string unformatted(const cJSON* node) {
        char* text = cJSON_PrintUnformatted(node);
        std::string printed = text != nullptr ? text : "";
        cJSON_free(text);
        return printed;
    }
    static std::string unformatted(const std::string& text) { return unformatted(parseJson(text).get()); }

    // Opens the configuration for one operation, as every user does.
    template <typename Work>
    void withConfiguration(Work work) {
        ConfigContainer container(locator_.getFile(), files_);
        DebugConfiguration configuration(container, factory_);
        work(configuration);
    }

    ScratchFolder scratch_;
    FixedFolders folders_;
    StorageLocator locator_;
    DebugDeviceEntryFactory factory_;
    CountingFileSystem files_;
    DebugSettingsStore store_;
};

}  // namespace

TEST(StorageLocatorTest, BuildsFolderAndFileUnderTheCommonApplicationDataFolder) {
    FixedFolders folders("/data");
    StorageLocator locator(folders);
    EXPECT_EQ("/data\\Orvane\\Shared\\Quorrel", locator.getFolder());
    EXPECT_EQ("/data\\Orvane\\Shared\\Quorrel\\Quorrel.config", locator.getFile());
}

TEST(StorageLocatorTest, UnknownFolderRaisesResourceNotFound) {
    FixedFolders folders("", static_cast<int32_t>(0x80004005u));
    Raised raised = raisedBy([&] { StorageLocator locator(folders); });
    EXPECT_EQ(codes::kResourceNotFound.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("\"SHGetFolderPathW failed\""));
    EXPECT_NE(std::string::npos, raised.document.find(R"("internal_error":{"api":"hresult","code":-2147467259})"));
    EXPECT_NE(std::string::npos, raised.document.find("\"component\":\"Quorrel\""));
}

TEST_F(DebugConfigurationTest, MissingFileIsCreatedAndBagBuildingStoresDefaults) {
    auto settings = store_.ensure({kDeviceA, kDeviceB});
    ASSERT_EQ(2u, settings.size());
    EXPECT_EQ(1, settings[0].debugSessionConfiguration);
    EXPECT_FALSE(settings[1].serverIsOutOfProcess);

    Json root = parseJson(fileText());
    ASSERT_TRUE(root);
    EXPECT_EQ(1, cJSON_GetObjectItemCaseSensitive(root.get(), "version")->valueint);
    cJSON* devices = cJSON_GetObjectItemCaseSensitive(root.get(), "devices");
    ASSERT_EQ(2, cJSON_GetArraySize(devices));
    for (const char* key : {kDeviceA, kDeviceB}) {
        cJSON* entry = cJSON_GetObjectItemCaseSensitive(devices, key);
        ASSERT_NE(nullptr, entry) << key;
        EXPECT_EQ(1, cJSON_GetObjectItemCaseSensitive(entry, "debugSessionConfiguration")->valueint);
        EXPECT_TRUE(cJSON_IsFalse(cJSON_GetObjectItemCaseSensitive(entry, "ServerIsOutOfProcess")));
    }
}

TEST_F(DebugConfigurationTest, EmptyFileReadsAsNewStoreWithoutEntries) {
    setFile("");
    EXPECT_EQ(std::nullopt, store_.read(kDeviceA));
    EXPECT_EQ("", fileText());  // reading alone never writes
}

TEST_F(DebugConfigurationTest, VersionRules) {
    struct Case {
        const char* text;
        int32_t code;
        const char* constant;
    };
    const Case cases[] = {
        {R"({"version": 2, "devices": {}})", codes::kFileTooNewForSoftware.code, "orvmxl::kErrorFileTooNewForSoftware"},
        {R"({"version": 7.9, "devices": {}})", codes::kFileTooNewForSoftware.code, "orvmxl::kErrorFileTooNewForSoftware"},
        {R"({"version": 0, "devices": {}})", codes::kSoftwareTooNewForFile.code, "orvmxl::kErrorSoftwareTooNewForFile"},
        {R"({"devices": {}})", codes::kJsonMemberMissing.code, "nORVAPALS100::tStatus::kResourceNotFound"},
        {R"({"version": "1", "devices": {}})", codes::kJsonWrongType.code, "nORVAPALS100::tStatus::kWrongType"},
        {R"([1])", codes::kJsonMemberMissing.code, "nORVAPALS100::tStatus::kResourceNotFound"},
        {R"({"version": 1})", codes::kJsonMemberMissing.code, "nORVAPALS100::tStatus::kResourceNotFound"},
        {R"({"version": 1, "devices": []})", codes::kJsonWrongType.code, "nORVAPALS100::tStatus::kWrongType"},
        {R"({"version": 1, "devices": {})", codes::kJsonParseFailed.code, "nORVAPALS100::tStatus::kInvalidParameter"},
        {"{\"version\": 1, \"devices\": {}}\n{}", codes::kJsonParseFailed.code, "nORVAPALS100::tStatus::kInvalidParameter"},
        {" \n", codes::kJsonParseFailed.code, "nORVAPALS100::tStatus::kInvalidParameter"},
    };
    for (const Case& c : cases) {
        setFile(c.text);
        Raised raised = raisedBy([&] { store_.commit(kDeviceA, {true, 0, true}); });
        EXPECT_EQ(c.code, raised.code) << c.text;
        EXPECT_NE(std::string::npos, raised.document.find(std::string("\"error_constant\":\"") + c.constant + "\""))
            << c.text << " -> " << raised.document;
        EXPECT_EQ(c.text, fileText()) << "a failed open must leave the file alone";

        // Bag building still shows every device, with the defaults, and tells why.
        DebugSettingsFaults faults;
        const auto settings = store_.ensure({kDeviceA, kDeviceB}, &faults);
        ASSERT_EQ(2u, settings.size());
        for (const DebugDeviceSettings& shown : settings) {
            EXPECT_EQ(1, shown.debugSessionConfiguration);
            EXPECT_FALSE(shown.serverIsOutOfProcess);
        }
        ASSERT_EQ(1u, faults.size()) << c.text;
        EXPECT_EQ(0u, faults[0].find(platform::nativePath(locator_.getFile()) + ": the file cannot be used")) << faults[0];
        EXPECT_NE(std::string::npos, faults[0].find(c.constant)) << faults[0];
        EXPECT_EQ(c.text, fileText()) << "nothing is written over a file that cannot be used";
    }
}

TEST_F(DebugConfigurationTest, AParseErrorIsPlacedByLineAndColumn) {
    setFile("{\"version\": 1,\n \"devices\": {\n  \"A\": {\"debugSessionConfiguration\": 1,,}}}");
    DebugSettingsFaults faults;
    store_.ensure({kDeviceA}, &faults);
    ASSERT_EQ(1u, faults.size());
    EXPECT_NE(std::string::npos, faults[0].find("The file is not one JSON value; LineNumber: 3; PositionInLine: 4"))
        << faults[0];
    EXPECT_NE(std::string::npos, faults[0].find("kInvalidParameter (-52005)")) << faults[0];
}

// An entry that cannot be used is set aside whole: its device shows the defaults, as a device
// without an entry does, the fault names the file, the device and what is wrong, the entry stays
// as it is until a commit rewrites it, and the other devices are untouched.
TEST_F(DebugConfigurationTest, AnEntryThatCannotBeUsedHidesOnlyItself) {
    struct Case {
        const char* entry;
        const char* fault;
    };
    const Case cases[] = {
        {"5", "the entry is not an object"},
        {"[1, true]", "the entry is not an object"},
        {R"({"debugSessionConfiguration": 5, "ServerIsOutOfProcess": true})",
         "debugSessionConfiguration 5 is outside the accepted values 0 to 1"},
        {R"({"debugSessionConfiguration": -1, "ServerIsOutOfProcess": true})",
         "debugSessionConfiguration -1 is outside the accepted values 0 to 1"},
        {R"({"debugSessionConfiguration": 99999999999, "ServerIsOutOfProcess": true})",
         "debugSessionConfiguration 99999999999 does not fit a signed 32-bit number"},
        {R"({"debugSessionConfiguration": "0", "ServerIsOutOfProcess": true})",
         "debugSessionConfiguration is not a number"},
        {R"({"ServerIsOutOfProcess": true})", "debugSessionConfiguration is missing"},
        {R"({"debugSessionConfiguration": 0, "ServerIsOutOfProcess": 1})",
         "ServerIsOutOfProcess is neither true nor false"},
        {R"({"debugSessionConfiguration": 0})", "ServerIsOutOfProcess is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const std::string text = std::string(R"({"version": 1, "devices": {"A": )") + c.entry +
                                 R"(, "B": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})";
        setFile(text);
        DebugSettingsFaults faults;
        const auto settings = store_.ensure({"A", "B"}, &faults);
        EXPECT_EQ(1, settings[0].debugSessionConfiguration);
        EXPECT_FALSE(settings[0].serverIsOutOfProcess);
        EXPECT_EQ(0, settings[1].debugSessionConfiguration);
        EXPECT_TRUE(settings[1].serverIsOutOfProcess);
        ASSERT_EQ(1u, faults.size());
        EXPECT_EQ(platform::nativePath(locator_.getFile()) + ": device A: " + c.fault +
                      "; the device shows the default debug settings until its entry is repaired or committed",
                  faults[0]);
        EXPECT_EQ(unformatted(c.entry), unformatted(entryText("A"))) << "the entry is kept as it is";
        faults.clear();
        EXPECT_EQ(1, store_.read("A", &faults)->debugSessionConfiguration);
        EXPECT_EQ(1u, faults.size());

        // A commit of the device rewrites its entry whole; the others stay.
        EXPECT_TRUE(store_.commit("A", {true, 0, true}));
        faults.clear();
        const auto after = store_.ensure({"A", "B"}, &faults);
        EXPECT_TRUE(faults.empty());
        EXPECT_EQ(0, after[0].debugSessionConfiguration);
        EXPECT_TRUE(after[0].serverIsOutOfProcess);
        EXPECT_EQ(0, after[1].debugSessionConfiguration);
    }
}

// A file the process may read but not write: shown as stored, new devices with the defaults and
// the reason, commits refused with it; the file stays as it was.
TEST_F(DebugConfigurationTest, AFileThatMayOnlyBeReadIsListedAndRefusesCommits) {
    const std::string text =
        R"({"version": 1, "devices": {"A": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})";
    setFile(text);
    files_.readOnly = true;
    DebugSettingsFaults faults;
    auto settings = store_.ensure({"A"}, &faults);
    EXPECT_EQ(0, settings[0].debugSessionConfiguration);
    EXPECT_TRUE(settings[0].serverIsOutOfProcess);
    EXPECT_TRUE(faults.empty());

    settings = store_.ensure({"A", "B"}, &faults);
    EXPECT_EQ(1, settings[1].debugSessionConfiguration);
    ASSERT_EQ(1u, faults.size());
    EXPECT_NE(std::string::npos, faults[0].find("the entries of new devices could not be stored")) << faults[0];
    EXPECT_NE(std::string::npos, faults[0].find("it could only be opened for reading; FilePath: " + platform::nativePath(locator_.getFile()) +
                                                "; Permission denied"))
        << faults[0];

    Raised raised = raisedBy([&] { store_.commit("A", {true, 1, false}); });
    EXPECT_EQ(codes::kPlatformEndOfData.code, raised.code);
    EXPECT_NE(std::string::npos, raised.document.find("Permission denied")) << raised.document;
    EXPECT_EQ(text, fileText());
}

// A reader cannot roll an interrupted rewrite back; it reads the content the journal saved.
TEST_F(DebugConfigurationTest, AReaderSeesTheContentAnInterruptedRewriteSaved) {
    const std::string old = R"({"version": 1, "devices": {"A": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})";
    setFile("{\"version\": 1, \"dev");  // cut short by the interrupted rewrite
    writeFile(scratch_.configFile() + "-journal", RollbackJournal::encode(old));
    files_.readOnly = true;
    auto settings = store_.read("A");
    ASSERT_TRUE(settings);
    EXPECT_EQ(0, settings->debugSessionConfiguration);
    EXPECT_TRUE(std::filesystem::exists(scratch_.configFile() + "-journal"));
    files_.readOnly = false;
    EXPECT_EQ(0, store_.read("A")->debugSessionConfiguration);
    EXPECT_EQ(old, fileText());  // the writer rolled it back
}

TEST_F(DebugConfigurationTest, VersionErrorsCarryTheVersionsForTheTranslator) {
    setFile(R"({"version": 2, "devices": {}})");
    Raised raised = raisedBy([&] { store_.commit(kDeviceA, {true, 0, true}); });
    const std::string& doc = raised.document;
    EXPECT_NE(std::string::npos, doc.find("\"translator\":\"mxlator_Digiscan\""));
    EXPECT_NE(std::string::npos, doc.find(R"("usage":"kUsageTypeFileVersion","value":2,"value_type":"uint32_t")"));
    EXPECT_NE(std::string::npos, doc.find(R"("usage":"kUsageTypeSupportedVersion","value":1)"));
    EXPECT_NE(std::string::npos, doc.find(R"("usage":"kUsageTypeOldestCompatibleVersion","value":1)"));
    EXPECT_NE(std::string::npos, doc.find("\"component\":\"Quorrel\""));
}

TEST_F(DebugConfigurationTest, VersionOutsideUnsignedRangeIsANumericConversionFailure) {
    setFile(R"({"version": -1, "devices": {}})");
    EXPECT_THROW(store_.commit(kDeviceA, {true, 0, true}), boost::numeric::negative_overflow);
    setFile(R"({"version": 4294967296, "devices": {}})");
    DebugSettingsFaults faults;
    store_.ensure({kDeviceA}, &faults);
    ASSERT_EQ(1u, faults.size());
    EXPECT_NE(std::string::npos, faults[0].find("version: bad numeric conversion: positive overflow")) << faults[0];
    try {
        store_.commit(kDeviceA, {true, 0, true});
        ADD_FAILURE() << "accepted";
    } catch (const boost::numeric::positive_overflow& e) {
        EXPECT_STREQ("bad numeric conversion: positive overflow", e.what());
    }
    // The file was unlocked on the way out: the next open goes through.
    setFile(R"({"version": 1, "devices": {}})");
    EXPECT_TRUE(store_.commit(kDeviceA, {true, 1, true}));
}

TEST_F(DebugConfigurationTest, MemberNamesMatchWithoutRegardToCase) {
    setFile(R"({"Version": 1, "DEVICES": {"{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}":
               {"DebugSessionConfiguration": 0, "serverisoutofprocess": true}}})");
    auto settings = store_.read(kDeviceB);
    ASSERT_TRUE(settings);
    EXPECT_EQ(0, settings->debugSessionConfiguration);
    EXPECT_TRUE(settings->serverIsOutOfProcess);

    EXPECT_TRUE(store_.commit(kDeviceB, {true, 1, false}));
    Json root = parseJson(fileText());
    cJSON* entry = cJSON_GetObjectItemCaseSensitive(cJSON_GetObjectItemCaseSensitive(root.get(), "DEVICES"),
                                                    "{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}");
    ASSERT_NE(nullptr, entry) << "the existing member is updated, not a second one added";
    EXPECT_EQ(1, cJSON_GetArraySize(cJSON_GetObjectItemCaseSensitive(root.get(), "DEVICES")));
    EXPECT_EQ(1, cJSON_GetObjectItemCaseSensitive(entry, "DebugSessionConfiguration")->valueint);
    EXPECT_TRUE(cJSON_IsFalse(cJSON_GetObjectItemCaseSensitive(entry, "serverisoutofprocess")));
}

TEST_F(DebugConfigurationTest, WrongKindsReadAsEmptyOrFalse) {
    setFile(R"({"version": 1, "devices": {
        "A": {"debugSessionConfiguration": "1", "ServerIsOutOfProcess": 1},
        "B": {"ServerIsOutOfProcess": "true"},
        "C": 5,
        "D": {"debugSessionConfiguration": -1.7, "ServerIsOutOfProcess": true},
        "E": {"debugSessionConfiguration": 1.9},
        "F": {"debugSessionConfiguration": 3000000000}}})");
    withConfiguration([](DebugConfiguration& configuration) {
        auto a = configuration.getEntry("A");
        EXPECT_EQ(std::nullopt, a->getDebugSessionConfiguration());
        EXPECT_FALSE(a->getServerIsOutOfProcess());
        EXPECT_EQ(std::nullopt, configuration.getEntry("B")->getDebugSessionConfiguration());
        EXPECT_FALSE(configuration.getEntry("B")->getServerIsOutOfProcess());
        EXPECT_EQ(std::nullopt, configuration.getEntry("C")->getDebugSessionConfiguration());
        EXPECT_EQ(-1, configuration.getEntry("D")->getDebugSessionConfiguration());
        EXPECT_TRUE(configuration.getEntry("D")->getServerIsOutOfProcess());
        EXPECT_EQ(1, configuration.getEntry("E")->getDebugSessionConfiguration());
        EXPECT_THROW(configuration.getEntry("F")->getDebugSessionConfiguration(), boost::numeric::positive_overflow);
    });
}


TEST_F(DebugConfigurationTest, GetEntryOfUnknownKeyRaisesWithTheKey) {
    store_.ensure({kDeviceA});
    withConfiguration([](DebugConfiguration& configuration) {
        Raised raised = raisedBy([&] { configuration.getEntry(kDeviceB); });
        EXPECT_EQ(codes::kEntryNotFound.code, raised.code);
        EXPECT_NE(std::string::npos,
                  raised.document.find(std::string(R"("usage":"kUsageTypeToken","value":")") + kDeviceB + "\""));
        EXPECT_EQ(kDeviceA, configuration.getEntry(kDeviceA)->getKey());
    });
}

TEST_F(DebugConfigurationTest, SaveWritesOnlyWhenTheTextChanged) {
    store_.ensure({kDeviceA, kDeviceB});
    EXPECT_EQ(1, files_.writes);
    store_.ensure({kDeviceA, kDeviceB});  // bag building again: nothing new
    EXPECT_FALSE(store_.commit(kDeviceA, {true, 1, false}));  // the values it already has
    EXPECT_EQ(1, files_.writes);
    EXPECT_TRUE(store_.commit(kDeviceA, {true, 0, false}));
    EXPECT_EQ(2, files_.writes);

    withConfiguration([&](DebugConfiguration& configuration) {
        auto entry = configuration.getEntry(kDeviceA);
        entry->setDebugSessionConfiguration(1);
        entry->setDebugSessionConfiguration(0);  // back to what the file holds
        EXPECT_FALSE(configuration.save());
        entry->setServerIsOutOfProcess(true);
        EXPECT_TRUE(configuration.save());
        EXPECT_FALSE(configuration.save());
    });
    EXPECT_EQ(3, files_.writes);
}

TEST_F(DebugConfigurationTest, BagBuildingKeepsStoredValuesAndCommitOverwritesThem) {
    store_.commit(kDeviceA, {true, 0, true});
    auto kept = store_.ensure({kDeviceA});
    EXPECT_EQ(0, kept[0].debugSessionConfiguration);
    EXPECT_TRUE(kept[0].serverIsOutOfProcess);
    store_.commit(kDeviceA, {false, 1, false});
    auto read = store_.read(kDeviceA);
    ASSERT_TRUE(read);
    EXPECT_EQ(1, read->debugSessionConfiguration);
    EXPECT_FALSE(read->serverIsOutOfProcess);
}

TEST_F(DebugConfigurationTest, CommitRewritesOnlyItsDevice) {
    setFile(R"({"version": 1, "comment": "kept", "devices": {
        "A": {"ServerIsOutOfProcess": false, "note": [1, 2], "DEBUGSESSIONCONFIGURATION": 1},
        "B": {"debugSessionConfiguration": 1, "ServerIsOutOfProcess": false, "extra": {"x": null}}}})");
    Json before = parseJson(fileText());
    EXPECT_TRUE(store_.commit("A", {true, 0, true}));
    Json after = parseJson(fileText());
    ASSERT_TRUE(after);

    cJSON* devicesBefore = cJSON_GetObjectItemCaseSensitive(before.get(), "devices");
    cJSON* devicesAfter = cJSON_GetObjectItemCaseSensitive(after.get(), "devices");
    EXPECT_TRUE(cJSON_Compare(cJSON_GetObjectItemCaseSensitive(devicesBefore, "B"),
                              cJSON_GetObjectItemCaseSensitive(devicesAfter, "B"), 1));
    EXPECT_TRUE(cJSON_Compare(cJSON_GetObjectItemCaseSensitive(before.get(), "comment"),
                              cJSON_GetObjectItemCaseSensitive(after.get(), "comment"), 1));

    // Same members, same order and spelling; only the two values changed.
    cJSON* a = cJSON_GetObjectItemCaseSensitive(devicesAfter, "A");
    ASSERT_EQ(3, cJSON_GetArraySize(a));
    EXPECT_STREQ("ServerIsOutOfProcess", cJSON_GetArrayItem(a, 0)->string);
    EXPECT_TRUE(cJSON_IsTrue(cJSON_GetArrayItem(a, 0)));
    EXPECT_STREQ("note", cJSON_GetArrayItem(a, 1)->string);
    EXPECT_STREQ("DEBUGSESSIONCONFIGURATION", cJSON_GetArrayItem(a, 2)->string);
    EXPECT_EQ(0, cJSON_GetArrayItem(a, 2)->valueint);
}

TEST_F(DebugConfigurationTest, CommitAddsMissingMembersOfAnEntry) {
    setFile(R"({"version": 1, "devices": {"A": {}}})");
    store_.commit("A", {true, 0, true});
    auto read = store_.read("A");
    ASSERT_TRUE(read);
    EXPECT_EQ(0, read->debugSessionConfiguration);
    EXPECT_TRUE(read->serverIsOutOfProcess);
}

TEST_F(DebugConfigurationTest, DefaultNodeOfTheFactory) {
    Json node(factory_.createDefaultNode(), &cJSON_Delete);
    char* printed = cJSON_PrintUnformatted(node.get());
    EXPECT_STREQ(R"({"debugSessionConfiguration":0,"ServerIsOutOfProcess":false})", printed);
    cJSON_free(printed);
}

TEST_F(DebugConfigurationTest, EntryKeptAfterItsConfigurationStaysUsable) {
    store_.commit(kDeviceA, {true, 0, true});
    std::shared_ptr<DebugDeviceEntry> kept;
    withConfiguration([&](DebugConfiguration& configuration) { kept = configuration.getEntry(kDeviceA); });
    EXPECT_EQ(0, kept->getDebugSessionConfiguration());
    kept->setServerIsOutOfProcess(false);  // edits a copy that is no longer the file's
    EXPECT_TRUE(store_.read(kDeviceA)->serverIsOutOfProcess);
}

TEST_F(DebugConfigurationTest, FileIsWrittenInCJsonFormattedForm) {
    store_.commit(kDeviceA, {true, 0, true});
    EXPECT_EQ(std::string("{\n\t\"version\":\t1,\n\t\"devices\":\t{\n\t\t\"") + kDeviceA +
                  "\":\t{\n\t\t\t\"debugSessionConfiguration\":\t0,\n\t\t\t\"ServerIsOutOfProcess\":\ttrue\n\t\t}\n\t}\n}",
              fileText());
}

// Members whose names differ only in case: a key spelt exactly like one of them reads that one,
// any other spelling the first of them; a new device is appended once.
TEST_F(DebugConfigurationTest, CaseVariantsOfAKeyResolveAsBeforeTheIndex) {
    setFile(R"({"version": 1, "devices": {"{abc}": {"debugSessionConfiguration": 0},
               "{ABC}": {"debugSessionConfiguration": 1}}})");
    withConfiguration([](DebugConfiguration& configuration) {
        EXPECT_EQ(0, configuration.getEntry("{abc}")->getDebugSessionConfiguration());
        EXPECT_EQ(1, configuration.getEntry("{ABC}")->getDebugSessionConfiguration());
        EXPECT_EQ(0, configuration.getEntry("{Abc}")->getDebugSessionConfiguration());
        EXPECT_EQ(1, configuration.getOrCreateEntry("{ABC}", {true, 0, false}, false)->getDebugSessionConfiguration());
        EXPECT_EQ(1, configuration.getOrCreateEntry("{new}", {true, 1, false}, false)->getDebugSessionConfiguration());
        EXPECT_EQ(1, configuration.getOrCreateEntry("{NEW}", {true, 0, true}, false)->getDebugSessionConfiguration());
        configuration.save();
    });
    Json root = parseJson(fileText());
    EXPECT_EQ(3, cJSON_GetArraySize(cJSON_GetObjectItemCaseSensitive(root.get(), "devices")));
}
