#include <gtest/gtest.h>

#include "explorer/QuorrelExports.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/DeviceRules.h"
#include "quorrel/package/PackageHooks.h"
#include "quorrel/version/VersionCheck.h"

using namespace nQuorrel100;
namespace rules = nORVMISysAPICommon100;

namespace {

class RecordingTrace : public VersionTraceInterface {
public:
    void versionCheckFailed(int32_t status, const char* component, const VersionRange& desired,
                            const VersionRange& installed) override {
        ++calls;
        lastStatus = status;
        lastComponent = component == nullptr ? "(null)" : component;
        lastDesired = desired;
        lastInstalled = installed;
    }
    int calls = 0;
    int32_t lastStatus = 0;
    std::string lastComponent;
    VersionRange lastDesired{};
    VersionRange lastInstalled{};
};

constexpr uint32_t v(uint32_t major, uint32_t minor, uint32_t update, uint32_t phase, uint32_t build) {
    return tSSVersion(major, minor, update, phase, build).getValue();
}

struct VersionCase {
    uint32_t oldest;
    uint32_t newest;
    int32_t expected;
};

}  // namespace

TEST(VersionCheck, DesiredRangesAgainstTheInstalledOne) {
    ASSERT_EQ(0x1210C000u, v(18, 1, 0, 3, 0));
    const VersionCase cases[] = {
        {v(18, 1, 0, 3, 0), v(18, 1, 0, 3, 0), 0},
        {v(18, 0, 0, 0, 0), v(18, 1, 0, 3, 0), 0},
        {v(17, 0, 0, 0, 0), v(19, 0, 0, 0, 0), 0},
        {v(18, 1, 0, 3, 1), v(19, 0, 0, 0, 0), kQuorrelVersionTooNew},
        {v(17, 0, 0, 0, 0), v(18, 0, 0, 0, 0), kQuorrelVersionTooOld},
        {v(19, 0, 0, 0, 0), v(17, 0, 0, 0, 0), kQuorrelVersionRangeInverted},
        {v(20, 0, 0, 0, 0), v(19, 0, 0, 0, 0), kQuorrelVersionRangeInverted},
    };
    for (const VersionCase& c : cases) {
        RecordingTrace trace;
        int32_t status = 0;
        VersionChecker(trace).compareVersion(c.newest, c.oldest, status, "Host");
        EXPECT_EQ(c.expected, status) << std::hex << c.oldest << " - " << c.newest;
        EXPECT_EQ(c.expected < 0 ? 1 : 0, trace.calls);
    }
}

TEST(VersionCheck, StatusFolding) {
    RecordingTrace trace;
    VersionChecker checker(trace);
    int32_t status = -1;
    checker.compareVersion(v(19, 0, 0, 0, 0), v(17, 0, 0, 0, 0), status, "Host");
    EXPECT_EQ(-1, status);
    EXPECT_EQ(0, trace.calls);

    status = 5;
    checker.compareVersion(kCurrentVersion, kCurrentVersion, status, nullptr);
    EXPECT_EQ(5, status);
    checker.compareVersion(v(19, 0, 0, 0, 0), v(19, 0, 0, 0, 0), status, nullptr);
    EXPECT_EQ(kQuorrelVersionTooNew, status);
    ASSERT_EQ(1, trace.calls);
    EXPECT_EQ("(null)", trace.lastComponent);
    EXPECT_EQ(v(19, 0, 0, 0, 0), trace.lastDesired.oldest);
    EXPECT_EQ(kCurrentVersion, trace.lastInstalled.newest);
}

TEST(DeviceRules, ClassTextAndDebugAttribute) {
    EXPECT_TRUE(rules::classDescriptionQualifies(L"Orvane Digiscan HSDR-5162 Digitizer"));
    EXPECT_TRUE(rules::classDescriptionQualifies(L"HSDR"));
    EXPECT_FALSE(rules::classDescriptionQualifies(L"Orvane hsdr-5100"));
    EXPECT_FALSE(rules::classDescriptionQualifies(L"HSD R"));
    EXPECT_TRUE(rules::classDebugAttributeQualifies(true, 0));
    EXPECT_TRUE(rules::classDebugAttributeQualifies(true, 3));
    EXPECT_FALSE(rules::classDebugAttributeQualifies(true, -1));
    EXPECT_FALSE(rules::classDebugAttributeQualifies(false, 0));
}

TEST(DeviceRules, BusKinds) {
    for (int32_t kind : {12582, 12583, 13612, 14706}) {
        EXPECT_TRUE(rules::busKindHasAttributesABC(kind));
        EXPECT_FALSE(rules::busKindHasAttributeD(kind));
        EXPECT_EQ(1u, rules::busNumberOf(kind));
    }
    EXPECT_FALSE(rules::busKindHasAttributesABC(12586));
    EXPECT_TRUE(rules::busKindHasAttributeD(12586));
    EXPECT_EQ(2u, rules::busNumberOf(12586));
    EXPECT_EQ(1u, rules::busNumberOf(0));
}

TEST(GuidText, FormatsBracedUpperCaseAndParsesBack) {
    const tSSRawGUID id{0x0a1b2c3d, 0x4e5f, 0x6071, {0x82, 0x93, 0xa4, 0xb5, 0xc6, 0xd7, 0xe8, 0xf9}};
    const std::string text = orv::dsc::guidToString(id);
    EXPECT_EQ("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}", text);
    EXPECT_TRUE(orv::dsc::guidFromString(text) == id);
    EXPECT_TRUE(orv::dsc::guidFromString("0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9") == id);
    for (const char* bad : {"", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F}", "{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FG}",
                            "{0A1B2C3D+4E5F-6071-8293-A4B5C6D7E8F9}", "[0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9]"}) {
        try {
            orv::dsc::guidFromString(bad);
            ADD_FAILURE() << bad;
        } catch (const orv::dsc::exception::BadGuidString& error) {
            EXPECT_STREQ("Badly formatted Guid string.", error.what());
        }
    }
    EXPECT_TRUE(orv::dsc::toRawGuid(orv::dsc::toGuid(id)) == id);
}

namespace {

class RecordingPackageLog : public quorrel::PackageLogInterface {
public:
    void packageEvent(uint32_t event) override { events.push_back(event); }
    void failure(const char* format, const std::string& module, int32_t status) override {
        failures.push_back(std::string(format) + "|" + module + "|" + std::to_string(status));
    }
    std::string moduleFileName() override { return module; }
    std::vector<uint32_t> events;
    std::vector<std::string> failures;
    std::string module;
};

std::vector<uint32_t> callbackEvents;
int32_t failingEvent = -1;

int32_t recordingCallback(uint32_t event) {
    callbackEvents.push_back(event);
    return static_cast<int32_t>(event) == failingEvent ? -17 : 0;
}

}  // namespace

TEST(PackageHooks, AttachAndDetachInOrder) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = -1;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_TRUE(hooks.processAttach());
    EXPECT_TRUE(hooks.threadAttach());
    EXPECT_TRUE(hooks.threadDetach());
    EXPECT_TRUE(hooks.processDetach());
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 1}), log.events);
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 4, 5, 3, 1}), callbackEvents);
    EXPECT_TRUE(log.failures.empty());
}

// At process exit the platform library's objects may be gone: the steps still run, unlogged.
TEST(PackageHooks, DetachAtProcessExitRunsTheStepsWithoutLogging) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = -1;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_TRUE(hooks.processAttach());
    EXPECT_TRUE(hooks.processDetach(true));
    EXPECT_EQ((std::vector<uint32_t>{0, 2}), log.events);
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 1}), callbackEvents);
}

TEST(PackageHooks, FailedAttachIsLoggedWithTheModuleName) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = 2;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_FALSE(hooks.processAttach());
    ASSERT_EQ(1u, log.failures.size());
    EXPECT_EQ("DllMain(DLL_PROCESS_ATTACH) of %s failed with status %d\n|Unknown|-17", log.failures[0]);
    // Only the first stage is undone.
    EXPECT_TRUE(hooks.processDetach());
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 1}), log.events);

    log.module = "/opt/lib/libQuorrel.so";
    failingEvent = 4;
    EXPECT_FALSE(hooks.threadAttach());
    EXPECT_EQ("DllMain(DLL_THREAD_ATTACH) of %s failed with status %d\n|/opt/lib/libQuorrel.so|-17", log.failures[1]);
    failingEvent = -1;
    EXPECT_EQ(0, quorrel::quorrelPackageCallback(0));
}

#include <cwchar>

#include "common/platform/WideText.h"

TEST(WideText, RoundTripsAndReplacesMalformedInput) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";  // a, e acute, euro sign, an emoji
    const std::wstring wide = platform::utf8ToWide(text);
#if WCHAR_MAX > 0xFFFF
    const std::wstring emoji{wchar_t(0x1F600)};
#else
    const std::wstring emoji{wchar_t(0xD83D), wchar_t(0xDE00)};  // a UTF-16 surrogate pair
#endif
    EXPECT_EQ((std::wstring{L'a', wchar_t(0xE9), wchar_t(0x20AC)} + emoji), wide);
    EXPECT_EQ(text, platform::wideToUtf8(wide));
    EXPECT_EQ(L"", platform::utf8ToWide(static_cast<const char*>(nullptr)));
    EXPECT_EQ("", platform::wideToUtf8(static_cast<const wchar_t*>(nullptr)));
    // A stray continuation byte, a truncated sequence, an overlong form and an encoded surrogate.
    EXPECT_EQ((std::wstring{wchar_t(0xFFFD), L'x'}), platform::utf8ToWide("\x80x"));
    EXPECT_EQ((std::wstring{L'x', wchar_t(0xFFFD)}), platform::utf8ToWide("x\xE2\x82"));
    EXPECT_EQ(std::wstring{wchar_t(0xFFFD)}, platform::utf8ToWide("\xC0\xAF"));
    EXPECT_EQ(std::wstring{wchar_t(0xFFFD)}, platform::utf8ToWide("\xED\xA0\x80"));
    EXPECT_EQ("\xEF\xBF\xBD", platform::wideToUtf8(std::wstring{wchar_t(0xD800)}));
}
