// The plug-in as the host sees it: its exports, the expert over the storage stand-in, and the
// debug configuration file it keeps.
#include <gtest/gtest.h>

#include <cjson/cJSON.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <thread>

#include "support/ComTestSupport.h"
#include "explorer/ErrorInfo.h"
#include "explorer/PropertyTags.h"
#include "explorer/QuorrelExports.h"
#include "explorer/SvsResults.h"
#include "palu/PackageEventLog.h"
#include "palu/SimTrace.h"
#include "storage/SimStorage.h"
#include "support/Portable.h"

using namespace quorreltest;
namespace fs = std::filesystem;

namespace {

const wchar_t* const kDevice1 = L"{D1A50001-0C2E-4B7A-8E11-5A0000000001}";  // bus kind 12582
const wchar_t* const kDevice3 = L"{D1A50003-0C2E-4B7A-8E11-5A0000000003}";  // bus kind 12586
const wchar_t* const kDevice4 = L"{D1A50004-0C2E-4B7A-8E11-5A0000000004}";  // simulated
const wchar_t* const kDevice5 = L"{D1A50005-0C2E-4B7A-8E11-5A0000000005}";  // another bus kind

fs::path configFolder() { return fs::path(std::getenv("ORV_COMMON_APPDATA")) / "Orvane" / "Shared" / "Quorrel"; }
fs::path configFile() { return configFolder() / "Quorrel.config"; }

std::string readFile(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The stored entry of a device: {configuration, out of process}, or {-99, false} when absent.
std::pair<int, bool> storedEntry(const std::wstring& id) {
    std::unique_ptr<cJSON, decltype(&cJSON_Delete)> root(cJSON_Parse(readFile(configFile()).c_str()), cJSON_Delete);
    if (!root) return {-99, false};
    const cJSON* devices = cJSON_GetObjectItem(root.get(), "devices");
    const cJSON* entry = cJSON_GetObjectItem(devices, std::string(id.begin(), id.end()).c_str());
    if (entry == nullptr) return {-99, false};
    return {cJSON_GetObjectItem(entry, "debugSessionConfiguration")->valueint,
            cJSON_IsTrue(cJSON_GetObjectItem(entry, "ServerIsOutOfProcess")) != 0};
}

class Plugin : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder of each test's own: ctest runs the cases of this program side by side, and
        // they would otherwise share one debug settings file.
        static const std::string base = std::getenv("ORV_COMMON_APPDATA");
        const std::string own = base + "/" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        testsupport::setEnvironment("ORV_COMMON_APPDATA", own);
        SimStorage_clearFailures();
        ASSERT_EQ(0, SimStorage_load(nullptr));
        fs::create_directories(configFolder());
        fs::remove(configFile());
        ASSERT_EQ(S_OK, createDigiscanSysApiExpert(expert.outVoid()));
    }
    void TearDown() override {
        expert.reset();
        SimStorage_clearFailures();
        EXPECT_EQ(0u, SimStorage_getOpenSessionCount());
        EXPECT_EQ(0u, SimStorage_getOpenReaderCount());
    }

    std::vector<std::wstring> deviceIDs() {
        ComPtr<IsvSysEnumStringList> ids;
        EXPECT_EQ(S_OK, expert->GetDeviceIDs(ids.out()));
        return ids.get() == nullptr ? std::vector<std::wstring>() : drain(ids.get());
    }

    ComPtr<IsvSysPropertyBag4> bag(const wchar_t* id) {
        ComPtr<IsvSysPropertyBag> found;
        EXPECT_EQ(S_OK, expert->GetPropertyBag(id, found.out()));
        ComPtr<IsvSysPropertyBag4> full;
        if (found.get() != nullptr) {
            EXPECT_EQ(S_OK, found->QueryInterface(IID_IsvSysPropertyBag4, full.outVoid()));
        }
        return full;
    }

    // A copy of a shown bag, as the host edits it.
    ComPtr<IsvSysPropertyBag4> editable(const wchar_t* id) {
        ComPtr<IsvSysPropertyBag> copy;
        EXPECT_EQ(S_OK, bag(id)->Clone(copy.out()));
        ComPtr<IsvSysPropertyBag4> full;
        EXPECT_EQ(S_OK, copy->QueryInterface(IID_IsvSysPropertyBag4, full.outVoid()));
        return full;
    }

    ComPtr<IsvSysExpert2> expert;
};

ULONG u32(IsvSysPropertyBag* bag, ULONG tag) {
    ULONG value = 0xDEADu;
    EXPECT_EQ(S_OK, bag->GetU32(tag, &value)) << std::hex << tag;
    return value;
}
LONG i32(IsvSysPropertyBag* bag, ULONG tag) {
    LONG value = 0xDEAD;
    EXPECT_EQ(S_OK, bag->GetI32(tag, &value)) << std::hex << tag;
    return value;
}
bool boolean(IsvSysPropertyBag* bag, ULONG tag) {
    BOOL value = 7;
    EXPECT_EQ(S_OK, bag->GetBool(tag, &value)) << std::hex << tag;
    return value != FALSE;
}
std::wstring text(IsvSysPropertyBag* bag, ULONG tag) {
    BstrHolder value;
    EXPECT_EQ(S_OK, bag->GetString(tag, value.out())) << std::hex << tag;
    return value.str();
}

std::vector<std::string> traceLines;
void collectLine(void*, const char* line) { traceLines.emplace_back(line); }

tSSVersion version(uint32_t major, uint32_t minor, uint32_t update, uint32_t phase, uint32_t build) {
    return tSSVersion(major, minor, update, phase, build);
}

// A host's bag collection that records the devices it is given; it refuses the bag offered in
// position `refuse` (1-based, 0: none).
class Collection : public IsvSysPropertyBagCollection {
public:
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    HRESULT GetCount(ULONG* count) override {
        *count = static_cast<ULONG>(ids.size());
        return S_OK;
    }
    HRESULT GetItem(ULONG, IsvSysPropertyBag**) override { return E_NOTIMPL; }
    HRESULT Add(IsvSysPropertyBag* bag) override {
        if (++offered == refuse) return E_OUTOFMEMORY;
        ids.push_back(text(bag, kSvSysTagDeviceID));
        return S_OK;
    }
    int refuse = 0;
    int offered = 0;
    std::vector<std::wstring> ids;
};

}  // namespace

TEST(PluginExports, VersionsAndTheirCheck) {
    int32_t status = 12345;
    EXPECT_EQ(0x1210C000u, nQuorrel100::getCurrentVersion(status).getValue());
    EXPECT_EQ(0x1210C000u, nQuorrel100::getOldestCompatibleVersion(status).getValue());
    EXPECT_EQ(12345, status);

    status = 0;
    nQuorrel100::compareVersion(version(18, 1, 0, 3, 0), version(18, 0, 0, 0, 0), status, "Host");
    EXPECT_EQ(0, status);
    nQuorrel100::compareVersion(version(18, 0, 0, 0, 0), version(17, 0, 0, 0, 0), status, "Host");
    EXPECT_EQ(kQuorrelVersionTooOld, status);
    status = 5;
    nQuorrel100::compareVersion(version(18, 1, 0, 3, 0), version(18, 1, 0, 3, 0), status, nullptr);
    EXPECT_EQ(5, status);
}

// A failed check is traced when the trace is on and the status had not failed before; the line
// names the component and both ranges.
TEST(PluginExports, FailedCheckIsTracedOnlyWhenTheTraceIsOn) {
    struct Row {
        const char* name;
        int trace;  // SimTrace_setEnabled
        int32_t status;
        tSSVersion newest, oldest;
        const char* component;
        int32_t expectedStatus;
        std::string line;  // empty: nothing traced
    };
    const Row rows[] = {
        {"the trace off", 0, 0, version(19, 0, 0, 0, 0), version(18, 1, 0, 3, 1), "Host", kQuorrelVersionTooNew, ""},
        {"the trace on", 1, 0, version(19, 0, 0, 0, 0), version(18, 1, 0, 3, 1), "Host", kQuorrelVersionTooNew,
         "version check failed with status = -50252. Component 'Host' desires the range 18.1.0f1 - 19.0.0d0 "
         "however the installed range is 18.1.0f0 - 18.1.0f0"},
        {"a status failed before", 1, -1, version(19, 0, 0, 0, 0), version(18, 1, 0, 3, 1), "Host", -1, ""},
        {"no component", 1, 0, version(17, 0, 0, 0, 0), version(18, 0, 0, 0, 0), nullptr,
         kQuorrelVersionRangeInverted,
         "version check failed with status = -50000. The calling component desires the range 18.0.0d0 - 17.0.0d0 "
         "however the installed range is 18.1.0f0 - 18.1.0f0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        traceLines.clear();
        SimTrace_setLineCallback(&collectLine, nullptr);
        SimTrace_setEnabled(row.trace);
        int32_t status = row.status;
        nQuorrel100::compareVersion(row.newest, row.oldest, status, row.component);
        SimTrace_setEnabled(-1);
        SimTrace_setLineCallback(nullptr, nullptr);
        EXPECT_EQ(row.expectedStatus, status);
        if (row.trace == 0) {
            EXPECT_TRUE(traceLines.empty());
        }
        std::vector<std::string> failures;
        for (const std::string& line : traceLines)
            if (line.find("version check failed") != std::string::npos) failures.push_back(line);
        if (row.line.empty()) {
            EXPECT_EQ(0u, failures.size());
            continue;
        }
        ASSERT_EQ(1u, failures.size());
        EXPECT_NE(std::string::npos, failures[0].find(row.line)) << failures[0];
    }
}

TEST(PluginExports, LoadRanThePackageHooks) {
    uint32_t events[8] = {};
    const uint32_t count = SimPalu_getPackageEvents(events, 8);
    ASSERT_GE(count, 2u);
    EXPECT_EQ(0u, events[0]);
    EXPECT_EQ(2u, events[1]);
    char name[16] = {};
    SimPalu_getLastPackageName(name, sizeof name);
    EXPECT_STREQ("ssMain", name);
}

TEST(PluginExports, FactoryHandsOutOneReference) {
    EXPECT_EQ(E_POINTER, createDigiscanSysApiExpert(nullptr));
    ComPtr<IsvSysExpert2> expert;
    ASSERT_EQ(S_OK, createDigiscanSysApiExpert(expert.outVoid()));
    EXPECT_EQ(1u, referenceCount(expert.get()));
    ComPtr<IsvSysExpertPlugPlay> plugPlay;
    ASSERT_EQ(S_OK, expert->QueryInterface(IID_IsvSysExpertPlugPlay, plugPlay.outVoid()));
    EXPECT_EQ(2u, referenceCount(expert.get()));
    ComPtr<IsvSysExpertInfo> info;
    ASSERT_EQ(S_OK, plugPlay->QueryInterface(IID_IsvSysExpertInfo, info.outVoid()));
    EXPECT_EQ(static_cast<void*>(static_cast<IUnknown*>(expert.get())), static_cast<void*>(info.get()));
}

TEST_F(Plugin, IdentityOfTheExpert) {
    GUID id{};
    EXPECT_EQ(E_POINTER, expert->GetID(nullptr));
    ASSERT_EQ(S_OK, expert->Initialize());
    ASSERT_EQ(S_OK, expert->GetID(&id));
    const GUID expected = {0x9590178C, 0x5CD8, 0x4A66, {0xA2, 0xFB, 0x93, 0xC2, 0xB9, 0x73, 0x15, 0x42}};
    EXPECT_TRUE(id == expected);
    BstrHolder value;
    ASSERT_EQ(S_OK, expert->GetName(value.out()));
    EXPECT_EQ(L"Digiscan SFP Debug", value.str());
    ASSERT_EQ(S_OK, expert->GetVersion(value.out()));
    EXPECT_EQ(L"18.1", value.str());
    ASSERT_EQ(S_OK, expert->GetComponentName(value.out()));
    EXPECT_EQ(L"Quorrel", value.str());
    EXPECT_EQ(E_NOTIMPL, expert->ExecuteCommand(kDevice1, L"run", 0, value.out(), nullptr));
}

TEST_F(Plugin, ListsOnlySupportedDevices) {
    ASSERT_EQ(S_OK, expert->Initialize());
    // Not listed: no "HSDR" in the class text, lower-case "hsdr", attribute 12426 false or
    // missing, invalid state, simulated through IVI, another storage class.
    EXPECT_EQ((std::vector<std::wstring>{kDevice1, L"{D1A50002-0C2E-4B7A-8E11-5A0000000002}", kDevice3, kDevice4,
                                         kDevice5}),
              deviceIDs());
}

TEST_F(Plugin, SelectionRuleOnADescriptionOfOurOwn) {
    ASSERT_EQ(0, SimStorage_load(R"({
      "classes": [
        {"id": "{00000000-0000-0000-0000-0000000000C1}", "attributes": {"10817": "xxHSDRyy", "12426": true}},
        {"id": "{00000000-0000-0000-0000-0000000000C2}", "attributes": {"10817": "hsdr", "12426": true}}],
      "objects": [
        {"id": "{00000000-0000-0000-0000-000000000001}", "class": "{00000000-0000-0000-0000-0000000000C1}",
         "properties": {"9553": "a", "1585": "b", "8998": 12582}},
        {"id": "{00000000-0000-0000-0000-000000000002}", "class": "{00000000-0000-0000-0000-0000000000C2}",
         "properties": {"9553": "a", "1585": "b", "8998": 12582}},
        {"id": "{00000000-0000-0000-0000-000000000003}", "class": "{00000000-0000-0000-0000-0000000000C1}",
         "invalidState": true, "properties": {"9553": "a", "1585": "b", "8998": 12582}},
        {"id": "{00000000-0000-0000-0000-000000000004}", "class": "{00000000-0000-0000-0000-0000000000C1}",
         "iviSimulated": true, "simulated": true, "properties": {"9553": "a", "1585": "b", "8998": 12582}}]})"));
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(std::vector<std::wstring>{L"{00000000-0000-0000-0000-000000000001}"}, deviceIDs());
}

TEST_F(Plugin, BagHoldsEveryPropertyWithItsValue) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysPropertyBag4> device = bag(kDevice1);
    ASSERT_NE(nullptr, device.get());

    ComPtr<IsvSysEnumPropertyTag> all;
    ASSERT_EQ(S_OK, device->GetAllTags(all.out()));
    std::vector<ULONG> tags = drain(all.get());
    EXPECT_EQ(31u, tags.size());
    EXPECT_TRUE(std::is_sorted(tags.begin(), tags.end()));

    for (ULONG tag : {kSvSysTagCalibrationState, kSvSysTagTemperature, kSvSysTagTemperatureLimit,
                      kSvSysTagSelfTestResult, kSvSysTagDriverState})
        EXPECT_EQ(-1, i32(device.get(), tag));
    for (ULONG tag : {kSvSysTagDeviceState, kSvSysTagFirmwareState, kSvSysTagDriverFlags})
        EXPECT_EQ(0u, u32(device.get(), tag));
    for (ULONG tag : {kSvSysTagHardwareRevision, kSvSysTagFirmwareVersion, kSvSysTagDriverPath})
        EXPECT_EQ(L"", text(device.get(), tag));
    EXPECT_EQ(L"Orvane", text(device.get(), kSvSysTagVendorName));
    EXPECT_TRUE(boolean(device.get(), kSvSysTagIsDevice));
    EXPECT_EQ(0x000F0000u, u32(device.get(), kSvSysTagCapabilities));
    EXPECT_EQ(10, i32(device.get(), kSvSysTagDisplayOrder));
    EXPECT_EQ(1, i32(device.get(), kSvSysTagExpertRank));
    EXPECT_EQ(1, i32(device.get(), kSvSysTagExpertCount));
    EXPECT_TRUE(boolean(device.get(), kSvSysTagIsRemovable));

    EXPECT_EQ(kDevice1, text(device.get(), kSvSysTagDeviceID));
    GUID objectId{};
    ASSERT_EQ(S_OK, device->GetGuid(kSvSysTagStorageObjectID, &objectId));
    EXPECT_EQ(0xD1A50001u, objectId.Data1);
    EXPECT_EQ(0x01u, objectId.Data4[7]);
    EXPECT_EQ(L"Digiscan1", text(device.get(), kSvSysTagUserAlias));
    EXPECT_EQ(L"HSDR-5162", text(device.get(), kSvSysTagProductName));
    EXPECT_EQ(1u, u32(device.get(), kSvSysTagBusType));
    EXPECT_EQ(1u, u32(device.get(), kSvSysTagChassisNumber));
    EXPECT_EQ(4u, u32(device.get(), kSvSysTagSlotNumber));
    EXPECT_EQ(2u, u32(device.get(), kSvSysTagSocketNumber));
    EXPECT_EQ(0u, u32(device.get(), kSvSysTagSerialNumber));
    EXPECT_FALSE(boolean(device.get(), kSvSysTagIsSimulated));

    EXPECT_TRUE(boolean(device.get(), kSvSysTagExpertDebugEnabled));
    EXPECT_EQ(1u, u32(device.get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_FALSE(boolean(device.get(), kSvSysTagServerIsOutOfProcess));

    // Freshly built: every tag counts as written.
    ComPtr<IsvSysEnumPropertyTag> modified;
    ASSERT_EQ(S_OK, device->GetModifiedTags(modified.out()));
    EXPECT_EQ(tags, drain(modified.get()));
    EXPECT_EQ(S_OK, device->ClearModified());
    EXPECT_EQ(S_FALSE, device->ClearModified());
}

TEST_F(Plugin, TagValuesByBusKind) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysPropertyBag4> other = bag(kDevice3);
    EXPECT_EQ(2u, u32(other.get(), kSvSysTagBusType));
    EXPECT_EQ(0u, u32(other.get(), kSvSysTagChassisNumber));
    EXPECT_EQ(0u, u32(other.get(), kSvSysTagSlotNumber));
    EXPECT_EQ(0u, u32(other.get(), kSvSysTagSocketNumber));
    EXPECT_EQ(305419896u, u32(other.get(), kSvSysTagSerialNumber));

    for (const wchar_t* id : {kDevice4, kDevice5}) {
        ComPtr<IsvSysPropertyBag4> device = bag(id);
        EXPECT_EQ(1u, u32(device.get(), kSvSysTagBusType));
        for (ULONG tag : {kSvSysTagChassisNumber, kSvSysTagSlotNumber, kSvSysTagSocketNumber, kSvSysTagSerialNumber})
            EXPECT_EQ(0u, u32(device.get(), tag));
    }
    EXPECT_TRUE(boolean(bag(kDevice4).get(), kSvSysTagIsSimulated));
    EXPECT_FALSE(boolean(bag(kDevice5).get(), kSvSysTagIsSimulated));
}

TEST_F(Plugin, BagBuildingStoresAnEntryPerDevice) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ASSERT_EQ(5u, deviceIDs().size());
    for (const wchar_t* id : {kDevice1, kDevice3, kDevice4, kDevice5}) EXPECT_EQ(std::make_pair(1, false), storedEntry(id));
    std::unique_ptr<cJSON, decltype(&cJSON_Delete)> root(cJSON_Parse(readFile(configFile()).c_str()), cJSON_Delete);
    ASSERT_TRUE(root);
    EXPECT_EQ(1, cJSON_GetObjectItem(root.get(), "version")->valueint);
    EXPECT_EQ(5, cJSON_GetArraySize(cJSON_GetObjectItem(root.get(), "devices")));
}

TEST_F(Plugin, StoredSettingsAppearInTheBag) {
    {
        std::ofstream file(configFile());
        file << R"({"version": 1, "devices": {"{D1A50001-0C2E-4B7A-8E11-5A0000000001}":
                   {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})";
    }
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysPropertyBag4> device = bag(kDevice1);
    EXPECT_EQ(0u, u32(device.get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_TRUE(boolean(device.get(), kSvSysTagServerIsOutOfProcess));
}

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

void writeConfig(const std::string& text) {
    std::ofstream file(configFile(), std::ios::binary | std::ios::trunc);
    file << text;
}

// A commit of a shown bag with ServerIsOutOfProcess set, as the host makes it.
HRESULT commitOutOfProcess(IsvSysExpert2* expert, ComPtr<IsvSysPropertyBag4> bag, const wchar_t* id) {
    EXPECT_EQ(S_OK, bag->SetBool(kSvSysTagServerIsOutOfProcess, TRUE));
    ULONG result = 0;
    return expert->CommitPropertiesEx(id, bag.get(), &result, nullptr);
}

// A file this software cannot use hides no device: every one is listed with the default debug
// settings, the host hears why, and a commit is refused and leaves the file byte for byte.
TEST_F(Plugin, AFileThatCannotBeUsedIsListedWithDefaultsAndRefusesCommits) {
    for (const char* text : {R"({"version": 2, "devices": {}, "new": 1})", "{\"version\": 1, \"devices\": {",
                             R"({"version": 1, "devices": []})"}) {
        SCOPED_TRACE(text);
        writeConfig(text);
        ASSERT_EQ(S_OK, expert->Initialize());
        EXPECT_EQ(5u, deviceIDs().size());
        const std::string described = narrow(takeErrorDescription());
        EXPECT_NE(std::string::npos, described.find("Quorrel.config: the file cannot be used")) << described;
        ComPtr<IsvSysPropertyBag4> shown = bag(kDevice1);
        EXPECT_EQ(1u, u32(shown.get(), kSvSysTagDebugSessionConfiguration));
        EXPECT_FALSE(boolean(shown.get(), kSvSysTagServerIsOutOfProcess));
        EXPECT_EQ(E_FAIL, commitOutOfProcess(expert.get(), editable(kDevice1), kDevice1));
        EXPECT_EQ(text, readFile(configFile()));
        ASSERT_EQ(S_OK, expert->Shutdown());
    }
}

// One entry that cannot be used hides only its own settings, and a commit rewrites it.
TEST_F(Plugin, ABadEntryShowsDefaultsForItsDeviceOnly) {
    writeConfig(std::string(R"({"version": 1, "devices": {")") + narrow(kDevice3) +
                R"(": {"debugSessionConfiguration": 99999999999, "ServerIsOutOfProcess": true}, ")" +
                narrow(kDevice1) + R"(": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})");
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(5u, deviceIDs().size());
    const std::string described = narrow(takeErrorDescription());
    EXPECT_NE(std::string::npos, described.find("Quorrel.config: device " + narrow(kDevice3) +
                                                ": debugSessionConfiguration 99999999999 does not fit"))
        << described;
    EXPECT_EQ(1u, u32(bag(kDevice3).get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_FALSE(boolean(bag(kDevice3).get(), kSvSysTagServerIsOutOfProcess));
    EXPECT_EQ(0u, u32(bag(kDevice1).get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_TRUE(boolean(bag(kDevice1).get(), kSvSysTagServerIsOutOfProcess));

    EXPECT_EQ(S_OK, commitOutOfProcess(expert.get(), editable(kDevice3), kDevice3));
    EXPECT_EQ((std::pair<int, bool>{1, true}), storedEntry(kDevice3));
    EXPECT_EQ((std::pair<int, bool>{0, true}), storedEntry(kDevice1));
}

// While the file cannot be opened, refreshes fail as often as they are tried and a device added
// to the storage meanwhile is not built; once the file is back, every device is listed, with
// the file's values, without any further storage change.
TEST_F(Plugin, FailedRefreshesLoseNoDevice) {
    ASSERT_EQ(S_OK, expert->Initialize());
    const std::vector<std::wstring> listed = deviceIDs();
    fs::remove(configFile());
    fs::create_directory(configFile());  // a folder in the file's place cannot be opened
    for (int i = 0; i < 3; ++i) {
        ComPtr<IsvSysPropertyBag> refreshed;
        const ULONG tag = kSvSysTagDebugSessionConfiguration;
        EXPECT_EQ(E_FAIL, expert->RefreshPropertyBag(kDevice3, 1, &tag, FALSE, refreshed.out()));
        EXPECT_NE(std::string::npos, narrow(takeErrorDescription()).find("Failed to open file"));
    }
    SimStorage_beginBatch();
    ASSERT_EQ(0, SimStorage_addObject(R"({"id": "{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}",
        "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}", "properties": {"9553": "Added", "1585": "HSDR-5162"}})"));
    SimStorage_endBatch();

    fs::remove(configFile());
    writeConfig(std::string(R"({"version": 1, "devices": {")") + narrow(kDevice3) +
                R"(": {"debugSessionConfiguration": 0, "ServerIsOutOfProcess": true}}})");
    std::vector<std::wstring> expected = listed;
    expected.push_back(L"{D1A500FF-0C2E-4B7A-8E11-5A00000000FF}");
    EXPECT_EQ(expected, deviceIDs());
    EXPECT_EQ(0u, u32(bag(kDevice3).get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_TRUE(boolean(bag(kDevice3).get(), kSvSysTagServerIsOutOfProcess));
}

// Another process holds the lock and does not let go: listing and commits fail within the bound
// and say why, Shutdown returns, and once the holder lets go everything works again.
TEST_F(Plugin, ALockHeldElsewhereFailsWithinTheBound) {
    testsupport::setEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS", "200");
    ASSERT_EQ(S_OK, expert->Initialize());
    const ComPtr<IsvSysPropertyBag4> edited = editable(kDevice1);
    ASSERT_EQ(S_OK, expert->Shutdown());
    ASSERT_EQ(S_OK, expert->Initialize());
    const fs::path held = configFolder() / "held";
    const fs::path release = configFolder() / "release";
    fs::remove(held);
    fs::remove(release);
    testsupport::ChildProcess holder(QUORREL_DEBUGCONFIG_COMMITTER, {"--hold", held.string(), release.string()});
    ASSERT_TRUE(holder.started());
    while (!fs::exists(held)) std::this_thread::sleep_for(std::chrono::milliseconds(5));

    ComPtr<IsvSysEnumStringList> ids;
    EXPECT_EQ(E_FAIL, expert->GetDeviceIDs(ids.out()));
    std::string described = narrow(takeErrorDescription());
    EXPECT_NE(std::string::npos, described.find("Another process holds the lock on the file")) << described;
    EXPECT_NE(std::string::npos, described.find("Quorrel.config")) << described;
    EXPECT_EQ(E_FAIL, commitOutOfProcess(expert.get(), edited, kDevice1));
    described = narrow(takeErrorDescription());
    EXPECT_NE(std::string::npos, described.find("Another process holds the lock on the file")) << described;
    EXPECT_EQ(S_OK, expert->Shutdown());

    std::ofstream(release.string()).put('1');
    EXPECT_EQ(0, holder.wait());
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(5u, deviceIDs().size());
    testsupport::unsetEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS");
}

TEST_F(Plugin, ValidateChecksTheModifiedSet) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ComPtr<IsvSysEnumPropertyTag> accepted;
    BstrHolder message;

    ComPtr<IsvSysPropertyBag4> unchanged = editable(kDevice1);
    ASSERT_EQ(S_OK, expert->ValidateProperties(kDevice1, unchanged.get(), accepted.out(), message.out()));
    EXPECT_EQ(nullptr, accepted.get());
    EXPECT_EQ(L"", message.str());

    ComPtr<IsvSysPropertyBag4> enabled = editable(kDevice1);
    ASSERT_EQ(S_OK, enabled->SetBool(kSvSysTagExpertDebugEnabled, FALSE));
    EXPECT_EQ(SVSYS_E_PROP_MISMATCH, expert->ValidateProperties(kDevice1, enabled.get(), accepted.out(), nullptr));

    ComPtr<IsvSysPropertyBag4> tooLarge = editable(kDevice1);
    ASSERT_EQ(S_OK, tooLarge->SetU32(kSvSysTagDebugSessionConfiguration, 2));
    EXPECT_EQ(SVSYS_E_VALIDATION_VALUE, expert->ValidateProperties(kDevice1, tooLarge.get(), accepted.out(), nullptr));

    ComPtr<IsvSysPropertyBag4> good = editable(kDevice1);
    ASSERT_EQ(S_OK, good->SetU32(kSvSysTagDebugSessionConfiguration, 1));
    ASSERT_EQ(S_OK, good->SetBool(kSvSysTagServerIsOutOfProcess, TRUE));
    ASSERT_EQ(S_OK, good->SetString(kSvSysTagUserAlias, L"renamed"));
    ASSERT_EQ(S_OK, expert->ValidateProperties(kDevice1, good.get(), accepted.out(), nullptr));
    ASSERT_NE(nullptr, accepted.get());
    EXPECT_EQ((std::vector<ULONG>{kSvSysTagDebugSessionConfiguration, kSvSysTagServerIsOutOfProcess}),
              drain(accepted.get()));
}

TEST_F(Plugin, CommitRewritesOnlyThatDevice) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ASSERT_EQ(5u, deviceIDs().size());
    ComPtr<IsvSysPropertyBag4> edited = editable(kDevice3);
    ASSERT_EQ(S_OK, edited->SetU32(kSvSysTagDebugSessionConfiguration, 0));
    ASSERT_EQ(S_OK, edited->SetBool(kSvSysTagServerIsOutOfProcess, TRUE));
    ULONG result = 77;
    BstrHolder message;
    // The ID argument is not what selects the entry: the bag's own ID does.
    ASSERT_EQ(S_OK, expert->CommitPropertiesEx(kDevice1, edited.get(), &result, message.out()));
    EXPECT_EQ(0u, result);
    EXPECT_EQ(std::make_pair(0, true), storedEntry(kDevice3));
    EXPECT_EQ(std::make_pair(1, false), storedEntry(kDevice1));

    // The refreshed bag shows the change (the folder monitor may have rebuilt it already, having
    // seen the commit's write).
    ComPtr<IsvSysPropertyBag> refreshed;
    const ULONG wanted[] = {kSvSysTagDebugSessionConfiguration, 0x12345678};
    EXPECT_EQ(S_FALSE, expert->RefreshPropertyBag(kDevice3, 2, wanted, FALSE, refreshed.out()));
    ASSERT_NE(nullptr, refreshed.get());
    EXPECT_EQ(0u, u32(refreshed.get(), kSvSysTagDebugSessionConfiguration));
    EXPECT_TRUE(boolean(refreshed.get(), kSvSysTagServerIsOutOfProcess));

    ComPtr<IsvSysPropertyBag4> incomplete;
    ASSERT_EQ(S_OK, editable(kDevice3)->Clone(reinterpret_cast<IsvSysPropertyBag**>(incomplete.out())));
    ASSERT_EQ(S_OK, incomplete->Remove(kSvSysTagUserAlias));
    EXPECT_EQ(SVSYS_E_PROP_NOT_FOUND, expert->CommitProperties(kDevice3, incomplete.get(), &result));
}

TEST_F(Plugin, StorageChangesReachTheCachedBag) {
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(L"Digiscan1", text(bag(kDevice1).get(), kSvSysTagUserAlias));
    ASSERT_EQ(0, SimStorage_modifyObject(R"({"id": "{D1A50001-0C2E-4B7A-8E11-5A0000000001}",
        "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
        "properties": {"9553": "Renamed", "1585": "HSDR-5162", "8998": 12586}, "attributes": {"12117": 9}})"));
    // The storage observer rebuilt the bag when the change's batch ended.
    EXPECT_EQ(L"Renamed", text(bag(kDevice1).get(), kSvSysTagUserAlias));
    ComPtr<IsvSysPropertyBag> refreshed;
    const ULONG none[] = {0};
    ASSERT_EQ(S_OK, expert->RefreshPropertyBag(kDevice1, 0, none, FALSE, refreshed.out()));
    EXPECT_EQ(L"Renamed", text(refreshed.get(), kSvSysTagUserAlias));
    EXPECT_EQ(2u, u32(refreshed.get(), kSvSysTagBusType));
    EXPECT_EQ(9u, u32(refreshed.get(), kSvSysTagSerialNumber));

    ComPtr<IsvSysPropertyBag> missing;
    EXPECT_EQ(SVSYS_E_ITEM_NOT_EXIST, expert->GetPropertyBag(L"{00000000-0000-0000-0000-000000000009}", missing.out()));
    EXPECT_EQ(E_FAIL, expert->RefreshPropertyBag(L"not a guid", 0, none, FALSE, missing.out()));
    EXPECT_EQ(nullptr, missing.get());
}

TEST_F(Plugin, CollectionReceivesEveryBag) {
    Collection collection;
    ASSERT_EQ(S_OK, expert->Initialize());
    ASSERT_EQ(S_OK, expert->GetAllPropertyBags(&collection));
    EXPECT_EQ(deviceIDs(), collection.ids);
}

TEST_F(Plugin, StorageFailuresAtInitialiseAndEnumeration) {
    SimStorage_setFailure("getSession", -50505);
    EXPECT_EQ(E_FAIL, expert->Initialize());
    SimStorage_clearFailures();
    ASSERT_EQ(S_OK, expert->Initialize());
    // A device whose state cannot be read is not listed; enumeration itself does not fail, and
    // once the storage answers again the devices are there.
    SimStorage_setFailure("isObjectInInvalidState", -50506);
    EXPECT_TRUE(deviceIDs().empty());
    SimStorage_clearFailures();
    EXPECT_EQ(5u, deviceIDs().size());
    ASSERT_EQ(S_OK, expert->Shutdown());
    ComPtr<IsvSysEnumStringList> ids;
    EXPECT_EQ(E_UNEXPECTED, expert->GetDeviceIDs(ids.out()));
}

// A failed listing of the storage during the first fill is not the last word either.
TEST_F(Plugin, AFailedFirstFillIsTriedAgainAtTheNextRequest) {
    ASSERT_EQ(S_OK, expert->Initialize());
    SimStorage_setFailure("getAllObjectIDsForClass", -50507);
    EXPECT_TRUE(deviceIDs().empty());
    SimStorage_clearFailures();
    EXPECT_EQ(5u, deviceIDs().size());
}

// Reads that fail still end their read operation: the storage keeps no read lock behind.
TEST_F(Plugin, FailedStorageReadsLeaveNoReadOperationOpen) {
    ASSERT_EQ(S_OK, expert->Initialize());
    for (const char* call : {"getAllObjectIDsForClass", "isObjectInInvalidState", "getClassIDForObject",
                             "getObjectStringProperty"}) {
        SimStorage_setFailure(call, -50508);
        ComPtr<IsvSysEnumStringList> ids;
        expert->GetDeviceIDs(ids.out());
        ComPtr<IsvSysPropertyBag> refreshed;
        const ULONG none[] = {0};
        expert->RefreshPropertyBag(kDevice1, 0, none, FALSE, refreshed.out());
        SimStorage_clearFailures();
        EXPECT_EQ(0u, SimStorage_getOpenReaderCount()) << call;
    }
}

// However the host spells a device's ID, it names the one device: one bag, one settings entry.
TEST_F(Plugin, DeviceIdsInAnySpellingNameOneDevice) {
    ASSERT_EQ(S_OK, expert->Initialize());
    ASSERT_EQ(5u, deviceIDs().size());
    const wchar_t* const spellings[] = {L"{d1a50003-0c2e-4b7a-8e11-5a0000000003}",
                                        L"D1A50003-0C2E-4B7A-8E11-5A0000000003",
                                        L"d1a50003-0c2e-4b7a-8e11-5a0000000003"};
    for (const wchar_t* id : spellings) {
        ComPtr<IsvSysPropertyBag> found;
        ASSERT_EQ(S_OK, expert->GetPropertyBag(id, found.out()));
        EXPECT_EQ(std::wstring(kDevice3), text(found.get(), kSvSysTagDeviceID));
        ComPtr<IsvSysPropertyBag> refreshed;
        const ULONG none[] = {0};
        ASSERT_EQ(S_OK, expert->RefreshPropertyBag(id, 0, none, FALSE, refreshed.out()));
        EXPECT_EQ(std::wstring(kDevice3), text(refreshed.get(), kSvSysTagDeviceID));
    }
    // A bag whose ID the host rewrote in lower case still commits to the device's one entry.
    ComPtr<IsvSysPropertyBag4> edited = editable(kDevice3);
    ASSERT_EQ(S_OK, edited->SetString(kSvSysTagDeviceID, spellings[0]));
    ASSERT_EQ(S_OK, edited->SetU32(kSvSysTagDebugSessionConfiguration, 0));
    ULONG result = 0;
    ASSERT_EQ(S_OK, expert->CommitProperties(spellings[0], edited.get(), &result));
    EXPECT_EQ(5u, deviceIDs().size());
    EXPECT_EQ(0, storedEntry(kDevice3).first);
    std::unique_ptr<cJSON, decltype(&cJSON_Delete)> root(cJSON_Parse(readFile(configFile()).c_str()), cJSON_Delete);
    EXPECT_EQ(5, cJSON_GetArraySize(cJSON_GetObjectItem(root.get(), "devices")));
}

// A commit obeys the rule a validation would have applied, whether or not the host validated.
TEST_F(Plugin, ACommitRefusesAConfigurationOutOfRange) {
    ASSERT_EQ(S_OK, expert->Initialize());
    for (ULONG value : {2u, 0xFFFFFFFFu}) {
        ComPtr<IsvSysPropertyBag4> edited = editable(kDevice1);
        ASSERT_EQ(S_OK, edited->SetU32(kSvSysTagDebugSessionConfiguration, value));
        ULONG result = 0;
        EXPECT_EQ(SVSYS_E_VALIDATION_VALUE, expert->CommitProperties(kDevice1, edited.get(), &result)) << value;
        EXPECT_EQ(1, storedEntry(kDevice1).first) << value;
    }
}

// The collection is offered every bag even when it refuses one; the refusal is reported.
TEST_F(Plugin, ACollectionThatRefusesABagStillGetsTheOthers) {
    Collection collection;
    collection.refuse = 2;
    ASSERT_EQ(S_OK, expert->Initialize());
    EXPECT_EQ(E_OUTOFMEMORY, expert->GetAllPropertyBags(&collection));
    EXPECT_EQ(5, collection.offered);
    EXPECT_EQ(4u, collection.ids.size());
}

// A setup that fails says what is missing: here the debug configuration folder, by its path.
TEST_F(Plugin, AMissingDebugConfigurationFolderIsNamedWhenInitialiseFails) {
    fs::remove_all(configFolder());
    EXPECT_EQ(E_FAIL, expert->Initialize());
    IErrorInfo* info = nullptr;
    ASSERT_EQ(S_OK, GetErrorInfo(0, &info));
    BstrHolder description;
    ASSERT_EQ(S_OK, info->GetDescription(description.out()));
    info->Release();
    // Compared with one kind of separator: the text is JSON, which doubles backslashes.
    const auto slashed = [](std::wstring path) {
        for (size_t at = path.find(L"\\\\"); at != std::wstring::npos; at = path.find(L"\\\\", at)) path.erase(at, 1);
        std::replace(path.begin(), path.end(), L'\\', L'/');
        return path;
    };
    const std::wstring text = slashed(description.str());
    const std::string folder = configFolder().string();
    EXPECT_NE(std::wstring::npos, text.find(L"Failed to watch the debug configuration folder"));
    EXPECT_NE(std::wstring::npos, text.find(slashed(std::wstring(folder.begin(), folder.end())))) << folder;
    fs::create_directories(configFolder());
    EXPECT_EQ(S_OK, expert->Initialize());
}
