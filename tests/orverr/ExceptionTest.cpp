#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "common/orverr/JsonReader.h"
#include "common/orverr/Raise.h"
#include "common/orverr/TranslateException.h"

using namespace orverr;

namespace {

void statusInStatusOut(Status& status, bool fail) {
    if (status.code < 0) return;
    if (fail) ORVERR_RAISE_INTO(status, codes::kErrBadChannelName).usage("kUsageTypeChannelName", "ch9");
}

template <typename Thrower>
void translateThrown(Status& status, Thrower thrower) {
    try {
        thrower();
    } catch (...) {
        translateException(status);
    }
}

}  // namespace

TEST(Exception, CaughtAsEitherBaseWithTheDocument) {
    try {
        ORVERR_THROW(codes::kInvalidSchema).usage("impexp_kUsageTypeSchemaRuleViolation", "type").raise();
    } catch (const std::exception& e) {
        EXPECT_EQ(readStringMember(e.what(), "error_constant"), std::string("errors::invalidSchema"));
        const auto* base = dynamic_cast<const ExceptionBase*>(&e);
        ASSERT_NE(base, nullptr);
        EXPECT_EQ(base->code(), codes::kInvalidSchema.code);
        EXPECT_STREQ(base->documentText(), e.what());
    }
    try {
        ORVERR_THROW_ENGINE(-1074118650);
    } catch (const ExceptionBase& e) {
        EXPECT_EQ(e.code(), -1074118650);
        const std::string text = e.documentText();
        EXPECT_NE(text.find("\"error_constant\":\"error\""), std::string::npos);
        EXPECT_NE(text.find("\"ordered_data\":[]"), std::string::npos) << text;
    }
}

TEST(Exception, CopiesKeepTheirOwnDocument) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kCorruptedFormat);
    const Exception original(status);
    const Exception copy(original);
    EXPECT_NE(copy.documentText(), original.documentText());
    EXPECT_STREQ(copy.what(), original.what());
    EXPECT_EQ(status.json, nullptr);  // taken over
}

TEST(ThrowOnErrorStatus, ThrowsAtTheEndOfTheExpressionOnlyOnError) {
    EXPECT_NO_THROW(statusInStatusOut(ThrowOnErrorStatus(), false));
    try {
        statusInStatusOut(ThrowOnErrorStatus(), true);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.code(), codes::kErrBadChannelName.code);
        EXPECT_NE(std::string(e.what()).find("ch9"), std::string::npos);
    }
}

TEST(ThrowOnErrorStatus, DoesNotThrowWhileAnotherExceptionPropagates) {
    struct Unwinder {
        ~Unwinder() { statusInStatusOut(ThrowOnErrorStatus(), true); }
    };
    EXPECT_THROW(
        {
            Unwinder unwinder;
            throw std::runtime_error("first");
        },
        std::runtime_error);
}

TEST(TranslateException, ClassifiesWhatIsInFlight) {
    Status fromOurs;
    translateThrown(fromOurs, [] { ORVERR_THROW(codes::kLibraryOutOfDate).raise(); });
    EXPECT_EQ(fromOurs.code, codes::kLibraryOutOfDate.code);
    EXPECT_EQ(readStringMember(fromOurs.json, "error_constant"), std::string("errors::libraryOutOfDate"));

    Status memory;
    translateThrown(memory, [] { throw std::bad_alloc(); });
    EXPECT_EQ(memory.code, -1074134954);
    EXPECT_FALSE(readStringMember(memory.json, "error_constant").has_value());
    EXPECT_TRUE(readStringMember(memory.json, "std_exception_what").has_value());

    Status runtime;
    translateThrown(runtime, [] { throw std::runtime_error("disk on fire"); });
    EXPECT_EQ(runtime.code, -1074135040);
    EXPECT_EQ(readStringMember(runtime.json, "std_exception_what"), std::string("disk on fire"));
    EXPECT_EQ(readStringMember(runtime.json, "component"), std::string("Helvar"));
    EXPECT_EQ(std::string(runtime.json).find("translator"), std::string::npos);
}

TEST(TranslateException, AnEarlierErrorStaysButTheDetailIsAppended) {
    Status status;
    ORVERR_RAISE_INTO(status, codes::kCorruptedFormat);
    translateThrown(status, [] { throw std::logic_error("late"); });
    EXPECT_EQ(status.code, codes::kCorruptedFormat.code);
    EXPECT_NE(std::string(status.json).find("\"std_exception_what\":\"late\""), std::string::npos);
}

TEST(TranslateException, OtherExceptionsPropagate) {
    Status status;
    EXPECT_THROW(translateThrown(status, [] { throw 42; }), int);
    EXPECT_EQ(status.code, 0);
}
