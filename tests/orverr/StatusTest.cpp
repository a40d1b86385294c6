#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/orverr/CodeTable.h"
#include "common/orverr/Codes.h"
#include "common/orverr/Raise.h"
#include "common/orverr/Status.h"

using namespace orverr;

namespace {

// Every byte after the text's NUL up to the sentinel is zero, and the last byte is 'J'.
void expectInvariant(const Status& status) {
    ASSERT_NE(status.json, nullptr);
    const size_t length = std::strlen(status.json);
    ASSERT_LT(length + 1, status.capacity);
    for (size_t i = length; i + 1 < status.capacity; ++i) ASSERT_EQ(status.json[i], '\0') << "at " << i;
    EXPECT_EQ(status.json[status.capacity - 1], 'J');
}

}  // namespace

TEST(Status, DefaultReallocateRoundsToPowersOfTwoFromFiveHundredTwelve) {
    Status status;
    ASSERT_TRUE(defaultReallocate(status, 4));
    EXPECT_EQ(status.capacity, 512u);
    EXPECT_STREQ(status.json, "{}");
    expectInvariant(status);

    EXPECT_TRUE(defaultReallocate(status, 300));  // smaller: unchanged
    EXPECT_EQ(status.capacity, 512u);
    ASSERT_TRUE(defaultReallocate(status, 513));
    EXPECT_EQ(status.capacity, 1024u);
    EXPECT_STREQ(status.json, "{}");
    expectInvariant(status);

    EXPECT_FALSE(defaultReallocate(status, 0x80000000u));  // negative as int32
    EXPECT_EQ(status.capacity, 1024u);

    ASSERT_TRUE(defaultReallocate(status, 0));
    EXPECT_EQ(status.capacity, 0u);
    EXPECT_EQ(status.json, nullptr);
}

TEST(Status, InitialiseRefusesTextThatDoesNotLeaveRoomForTheSentinel) {
    Status status;
    ASSERT_TRUE(defaultReallocate(status, 4));
    const std::string fits(510, 'x');
    EXPECT_TRUE(initialiseBuffer(status, fits.c_str()));
    expectInvariant(status);
    const std::string tooLong(511, 'y');
    EXPECT_FALSE(initialiseBuffer(status, tooLong.c_str()));
    EXPECT_EQ(std::string(status.json), fits);
}

TEST(Status, PrecedenceErrorsStayWarningsGiveWay) {
    Status status;
    EXPECT_FALSE(setCode(status, 0));
    EXPECT_TRUE(setCode(status, 5));
    EXPECT_FALSE(setCode(status, 7));  // a warning does not replace a warning
    EXPECT_EQ(status.code, 5);
    EXPECT_TRUE(setCode(status, -3));
    EXPECT_FALSE(setCode(status, -4));
    EXPECT_FALSE(setCode(status, 9));
    EXPECT_EQ(status.code, -3);
}

TEST(Status, SetCodeResetsTheDocument) {
    Status status;
    ORVERR_RAISE_INTO(status, (ErrorCode{3, "warning"}));
    ASSERT_NE(std::string(status.text()).find("warning"), std::string::npos);
    EXPECT_TRUE(setCode(status, -1));
    EXPECT_STREQ(status.json, "{}");
    expectInvariant(status);
}

TEST(Status, AssignTakesOverTheBufferOrCopies) {
    Status source;
    ORVERR_RAISE_INTO(source, codes::kCorruptedFormat);
    const std::string document = source.text();
    char* buffer = source.json;

    Status target;
    EXPECT_TRUE(assign(target, source));
    EXPECT_EQ(target.code, codes::kCorruptedFormat.code);
    EXPECT_EQ(target.json, buffer);
    EXPECT_EQ(source.json, nullptr);
    EXPECT_EQ(source.capacity, 0u);

    // Another allocator: the text is copied and the source keeps its buffer.
    Status other;
    ORVERR_RAISE_INTO(other, codes::kInvalidSchema);
    Status copying;
    copying.reallocate = [](Status& s, uint32_t n) { return defaultReallocate(s, n); };
    EXPECT_TRUE(assign(copying, other));
    EXPECT_NE(copying.json, other.json);
    EXPECT_STREQ(copying.json, other.json);

    // An error is not replaced by a later one.
    EXPECT_FALSE(assign(target, copying));
    EXPECT_EQ(std::string(target.text()), document);
}

TEST(Raise, SecondRaiseKeepsTheFirstErrorAndItsDocument) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kErrReadingFile).usage("kUsageTypeFilePath", "a");
    const std::string first = status.text();
    auto second = ORVERR_RAISE_INTO(status, codes::kErrWritingFile);
    second.usage("kUsageTypeFilePath", "b");
    EXPECT_FALSE(second.installed());
    EXPECT_EQ(status.code, codes::kErrReadingFile.code);
    EXPECT_EQ(std::string(status.text()), first);
}

TEST(Raise, ErrorReplacesWarningAndStartsFromAnEmptyDocument) {
    Status status;
    ORVERR_RAISE_INTO(status, (ErrorCode{1, "someWarning"})).comment("first");
    ORVERR_RAISE_INTO(status, codes::kBufferTooSmall);
    EXPECT_EQ(status.code, codes::kBufferTooSmall.code);
    const std::string text = status.text();
    EXPECT_EQ(text.find("someWarning"), std::string::npos);
    EXPECT_EQ(text.rfind("{\"error_constant\":\"errors::bufferTooSmall\"", 0), 0u);
}

TEST(CodeTable, FindsTheFirstConstantOfACode) {
    ASSERT_NE(findErrorCode(-1074100299), nullptr);
    EXPECT_STREQ(findErrorCode(-1074100299)->constant, "errors::bufferTooSmall");
    EXPECT_STREQ(findErrorCode(codes::kInvalidValue.code)->constant, "ivierrors::ERR_INVALID_VALUE");
    // Two constants share -52006; the error vocabulary's own comes first.
    EXPECT_STREQ(findErrorCode(-52006)->constant, "orvapalerr_resourceNotFound");
    // A code raised without a constant, and one the table does not know.
    EXPECT_EQ(findErrorCode(codes::kUnexpectedFailure.code), nullptr);
    EXPECT_EQ(findErrorCode(12345), nullptr);
}
