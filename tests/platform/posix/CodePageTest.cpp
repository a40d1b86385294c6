// The iconv descriptors behind the code-page conversion, made to fail (the Windows conversions are
// single calls with nothing between them to strike).
#include <gtest/gtest.h>

#include <cerrno>

#include "common/platform/CodePage.h"
#include "common/platform/posix/CodePageSyscalls.h"

namespace {

class CodePageFaults : public ::testing::Test {
protected:
    ~CodePageFaults() override { platform::posix::codePageSyscalls() = platform::posix::realCodePageSyscalls(); }
};

TEST_F(CodePageFaults, ConverterThatCannotOpenFails) {
    platform::posix::codePageSyscalls().open = [](const char*, const char*) { return reinterpret_cast<void*>(-1); };
    std::string out = "unchanged";
    EXPECT_FALSE(platform::codePageToUtf8(1252, "x", out));
    EXPECT_EQ(out, "unchanged");
}

TEST_F(CodePageFaults, FailureMidwayKeepsWhatWasConverted) {
    static int calls;
    calls = 0;
    platform::posix::codePageSyscalls().convert = [](void* descriptor, char** in, std::size_t* inLeft, char** out,
                                                     std::size_t* outLeft) -> std::size_t {
        if (calls++ == 0) {
            // Converts one byte, then reports a failure other than a bad character.
            **out = **in;
            ++*in, --*inLeft, ++*out, --*outLeft;
            errno = EBADF;
            return static_cast<std::size_t>(-1);
        }
        return platform::posix::realCodePageSyscalls().convert(descriptor, in, inLeft, out, outLeft);
    };
    std::string out;
    ASSERT_TRUE(platform::codePageToUtf8(1252, "abc", out));
    EXPECT_EQ(out, "a?");
}

}  // namespace
