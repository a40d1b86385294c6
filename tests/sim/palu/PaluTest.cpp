#include <gtest/gtest.h>

#include <string>

#include "palu/PackageEventLog.h"
#include "palu/tSSVersion.h"
#include "palu/tStatus2.h"

namespace {

using nORVMDBG100::tStatus2;

std::string text(tSSVersion version, uint32_t size = tSSVersion::kMaxTextSize) {
    char buffer[tSSVersion::kMaxTextSize] = {};
    return version.toString(buffer, size);
}

TEST(SSVersion, RendersPackedFields) {
    EXPECT_EQ(text(tSSVersion(0x1210C000)), "18.1.0f0");
    EXPECT_EQ(text(tSSVersion(0x12000000)), "18.0.0d0");
    EXPECT_EQ(text(tSSVersion(18, 1, 0, 3, 1)), "18.1.0f1");
    EXPECT_EQ(tSSVersion(18, 1, 0, 3, 0).getValue(), 0x1210C000u);
    EXPECT_EQ(text(tSSVersion(0xFFFFFFFF)), "255.15.15f16383");
    EXPECT_EQ(text(tSSVersion(0x1210C000), 4), "18.");
    EXPECT_LT(tSSVersion(0x1210C000), tSSVersion(0x1210C001));
}

TEST(Status2, ErrorsAreNeverOverwrittenAndWarningsGiveWay) {
    tStatus2 status;
    EXPECT_FALSE(status.setCode(0, "Quorrel", "a.cpp", 1));
    EXPECT_TRUE(status.setCode(5, "Quorrel", "a.cpp", 2));
    EXPECT_FALSE(status.setCode(6, "Quorrel", "a.cpp", 3));
    EXPECT_EQ(status.getCode(), 5);
    EXPECT_TRUE(status.setCode(-50352, "Quorrel", "b.cpp", 4));
    EXPECT_FALSE(status.setCode(-1, "other", "c.cpp", 5));
    EXPECT_EQ(status.getCode(), -50352);
    EXPECT_TRUE(status.isFatal());
    EXPECT_STREQ(status.getComponent(), "Quorrel");
    EXPECT_STREQ(status.getFile(), "b.cpp");
    EXPECT_EQ(status.getLine(), 4);
    status.clear();
    EXPECT_EQ(status.getCode(), 0);
    EXPECT_STREQ(status.getComponent(), "");
}

TEST(Status2, CopiesOwnTheirDetail) {
    tStatus2 original;
    original.setCode(-2, "orvqtxfu", "x.cpp", 7);
    tStatus2 copy(original);
    original.clear();
    EXPECT_EQ(copy.getCode(), -2);
    EXPECT_STREQ(copy.getComponent(), "orvqtxfu");
    tStatus2 assigned;
    assigned = copy;
    tStatus2 moved(std::move(copy));
    EXPECT_EQ(moved.getLine(), 7);
    EXPECT_EQ(assigned.getLine(), 7);
    EXPECT_EQ(copy.getCode(), 0);  // NOLINT(bugprone-use-after-move): a moved-from status is success
}

TEST(PackageEventLog, RecordsEventsAndLogLines) {
    SimPalu_reset();
    EXPECT_EQ(pkgModulePackageEventLog(kPkgEventLoad, "Quorrel.dll", "build", "ssMain"), 0);
    EXPECT_EQ(pkgModulePackageEventLog(kPkgEventLoadComplete, "Quorrel.dll", "build", "ssMain"), 0);
    uint32_t events[4] = {};
    ASSERT_EQ(SimPalu_getPackageEvents(events, 4), 2u);
    EXPECT_EQ(events[0], 0u);
    EXPECT_EQ(events[1], 2u);
    char name[16];
    SimPalu_getLastPackageName(name, sizeof name);
    EXPECT_STREQ(name, "ssMain");

    _palLogEvent("sspkg32u", "DllMain(DLL_PROCESS_ATTACH) of %s failed with status %d\n", "Quorrel.dll", -5);
    std::string expected = "sspkg32u: DllMain(DLL_PROCESS_ATTACH) of Quorrel.dll failed with status -5\n";
    uint32_t needed = SimPalu_getEventLogText(nullptr, 0);
    EXPECT_EQ(needed, expected.size() + 1);
    std::string log(needed, '\0');
    SimPalu_getEventLogText(&log[0], needed);
    log.resize(needed - 1);
    EXPECT_EQ(log, expected);
    SimPalu_reset();
    EXPECT_EQ(SimPalu_getPackageEvents(nullptr, 0), 0u);
}

}  // namespace
