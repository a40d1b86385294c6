// The allocator handed to translators.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "common/orverr/JsonReader.h"
#include "helvar/orvxlator/XlatorInterface.h"

namespace {

TEST(XlatorRealloc, AllocatesGrowsAndFrees) {
    orverr::Status status;
    char* p = static_cast<char*>(orvxlator::xlatorRealloc(nullptr, 4, nullptr, &status));
    ASSERT_NE(p, nullptr);
    std::memcpy(p, "abc", 4);
    p = static_cast<char*>(orvxlator::xlatorRealloc(p, 64, nullptr, &status));
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p, "abc");
    EXPECT_EQ(orvxlator::xlatorRealloc(p, 0, nullptr, &status), nullptr);
    EXPECT_EQ(status.code, 0);
}

TEST(XlatorRealloc, FreesEvenWhenTheStatusHoldsAnError) {
    // Under the leak checker a pointer kept here would be reported.
    void* p = orvxlator::xlatorRealloc(nullptr, 16, nullptr, nullptr);
    orverr::Status status;
    status.code = -5;
    EXPECT_EQ(orvxlator::xlatorRealloc(p, 0, nullptr, &status), nullptr);
    EXPECT_EQ(orvxlator::xlatorRealloc(nullptr, 16, nullptr, &status), nullptr);
    EXPECT_EQ(status.code, -5);
}

// The sanitizers' allocators end the process on a huge request instead of failing it.
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ORV_TEST_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ORV_TEST_UNDER_ASAN 1
#endif

TEST(XlatorRealloc, FailureSetsMemoryFull) {
#ifdef ORV_TEST_UNDER_ASAN
    GTEST_SKIP() << "the sanitizer ends the process on a huge request";
#endif
    orverr::Status status;
    EXPECT_EQ(orvxlator::xlatorRealloc(nullptr, SIZE_MAX / 2, nullptr, &status), nullptr);
    EXPECT_EQ(status.code, -52000);
    EXPECT_EQ(orverr::readStringMember(orverr::findMember(status.text(), "orvxlator_debug"), "debug").value_or(""),
              "realloc failed");
}

}  // namespace
