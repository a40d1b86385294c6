// The version check of the desired ranges against the installed platform, and the trace of a
// failed check.
#include <gtest/gtest.h>

#include <string>

#include "explorer/QuorrelExports.h"
#include "quorrel/version/VersionCheck.h"

using namespace nQuorrel100;

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
