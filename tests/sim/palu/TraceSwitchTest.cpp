// Run twice: with ORV_TRACE=1 and with ORV_TRACE=0 (ORV_EXPECT_TRACE tells which).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "palu/SimTrace.h"
#include "palu/Trace.h"

namespace {

using nORVMDBG100::tTrace;

std::vector<std::string>& captured() {
    static std::vector<std::string> lines;
    return lines;
}

void capture(void*, const char* line) { captured().push_back(line); }

class TraceSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        captured().clear();
        SimTrace_setLineCallback(&capture, nullptr);
        SimTrace_setEnabled(-1);
        SimTrace_resetCheckCount();
        const char* expect = std::getenv("ORV_EXPECT_TRACE");
        expectOn = expect != nullptr && std::string(expect) == "1";
    }
    void TearDown() override {
        SimTrace_setLineCallback(nullptr, nullptr);
        SimTrace_setEnabled(-1);
    }
    void traceOneLine() {
        tTrace::getInstance().putPrefix('i', "Quorrel", "src/x/Version.cpp", 42).putf("status = %d", -50252).endl();
    }
    bool expectOn = false;
};

TEST_F(TraceSwitch, EnvironmentDecides) {
    EXPECT_EQ(tTrace::getInstance().isEnabled(), expectOn);
    traceOneLine();
    if (expectOn) {
        ASSERT_EQ(captured().size(), 1u);
        EXPECT_EQ(captured()[0], "i [Quorrel] Version.cpp:42: status = -50252");
    } else {
        EXPECT_TRUE(captured().empty());
    }
}

TEST_F(TraceSwitch, ChecksFollowTheTrace) {
    const char* check = "CHECK(palStatusIsNonfatal(status))";
    bool enabled = nORVMDBG100::evalCheck(check, "warning", "Quorrel", __FILE__, __LINE__);
    EXPECT_EQ(enabled, expectOn);
    EXPECT_EQ(SimTrace_getCheckCount(), expectOn ? 1u : 0u);
    if (enabled) {
        nORVMDBG100::notificationAction(check, "warning", "Quorrel", __FILE__, __LINE__);
        EXPECT_TRUE(nORVMDBG100::continuationAction(check, "warning", "Quorrel", __FILE__, __LINE__));
        ASSERT_EQ(captured().size(), 1u);
        EXPECT_NE(captured()[0].find(check), std::string::npos);
    }
}

TEST_F(TraceSwitch, TestsCanOverrideTheEnvironment) {
    SimTrace_setEnabled(expectOn ? 0 : 1);
    traceOneLine();
    EXPECT_EQ(captured().size(), expectOn ? 0u : 1u);
    SimTrace_setEnabled(-1);
    EXPECT_EQ(tTrace::getInstance().isEnabled(), expectOn);
}

TEST_F(TraceSwitch, LinesOfThreadsDoNotMix) {
    SimTrace_setEnabled(1);
    tTrace::getInstance().putPrefix('i', "A", "a.cpp", 1).putf("first ");
    std::thread other([] { tTrace::getInstance().putPrefix('i', "B", "b.cpp", 2).putf("second").endl(); });
    other.join();
    tTrace::getInstance().putf("half").endl();
    ASSERT_EQ(captured().size(), 2u);
    EXPECT_EQ(captured()[0], "i [B] b.cpp:2: second");
    EXPECT_EQ(captured()[1], "i [A] a.cpp:1: first half");
}

}  // namespace
