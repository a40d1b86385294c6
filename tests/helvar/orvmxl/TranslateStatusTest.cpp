// translateStatus: its retries with fewer parts, the fallback to the bare code, code-page delivery
// and the appended status document.
#include <gtest/gtest.h>

#include <string>

#include "common/orverr/JsonReader.h"
#include "common/orverr/Raise.h"
#include "support/FakeSession.h"
#include "helvar/orvmxl/TextCut.h"
#include "helvar/orvmxl/TranslateStatus.h"

namespace {

using testing_xlator::FakeSession;

void raiseWithTranslator(orverr::Status& status) {
    ORVERR_RAISE_INTO(status, orverr::codes::kErrReadingFile).usage("kUsageTypeFilePath", "/x");
}

TEST(TranslateStatus, AFailingDynamicDescriptionFallsBackToTheStaticOne) {
    FakeSession session;
    session.failDynamic = true;
    orverr::Status in;
    raiseWithTranslator(in);
    orverr::Status out;
    std::string text;
    orvmxl::translateStatus(session, in, 0, orvmxl::kStatic | orvmxl::kDynamic | orvmxl::kNested, text, out);
    EXPECT_EQ(text, "Static -1074135037.");
    EXPECT_EQ(out.code, 0);
    EXPECT_EQ(session.dynamicCalls, 2);  // with and without nested errors
}

TEST(TranslateStatus, WithoutStaticAFailureEndsWithTheStatusDocument) {
    FakeSession session;
    session.failDynamic = true;
    orverr::Status in;
    raiseWithTranslator(in);
    orverr::Status out;
    std::string text;
    orvmxl::translateStatus(session, in, 0, orvmxl::kDynamic | orvmxl::kNested | orvmxl::kLocalCodePage, text, out);
    EXPECT_EQ(out.code, -52003);
    EXPECT_EQ(text, out.text());  // nothing before it, so no separator
}

TEST(TranslateStatus, TheBareCodeIsDescribedWhenTheDocumentCannotBe) {
    FakeSession session;
    orverr::Status in;
    in.code = -5;
    // A nested error that is no object makes every attempt with the document fail.
    ASSERT_TRUE(in.reallocate(in, 64));
    ASSERT_TRUE(orverr::initialiseBuffer(in, "{\"translator\":\"t\",\"nested_error\":7}"));
    session.dynamic = "{\"dynamic\":{}}";
    orverr::Status out;
    std::string text;
    orvmxl::translateStatus(session, in, 0, orvmxl::kStatic | orvmxl::kDynamic | orvmxl::kNested, text, out);
    EXPECT_EQ(out.code, 0) << out.text();
    EXPECT_EQ(text, "Static -5.");
}

TEST(TranslateStatus, AnInvalidLanguageDeliversUtf8AndSaysWhy) {
    FakeSession session;
    session.statics[-1074135037] = "Caf\xc3\xa9.";
    orverr::Status in;
    raiseWithTranslator(in);
    orverr::Status out;
    std::string text;
    orvmxl::translateStatus(session, in, 7, orvmxl::kStatic | orvmxl::kLocalCodePage, text, out);
    EXPECT_EQ(out.code, -52005);
    EXPECT_EQ(text, "Caf\xc3\xa9.\n\n" + std::string(out.text()));
    EXPECT_EQ(orverr::readStringMember(orverr::findMember(out.text(), "orvxlator_debug"), "gxerrorsparser").value_or(""),
              "invalid language");
}

TEST(TranslateStatus, DeliveryInTheLanguagesCodePage) {
    const struct {
        uint32_t language;
        uint32_t flags;
        std::string expected;
    } cases[] = {
        {1, orvmxl::kStatic | orvmxl::kLocalCodePage, "Caf\xe9 \x93?"},  // 1252 has no 日
        {3, orvmxl::kStatic | orvmxl::kLocalCodePage, "Caf? \x81\x67\x93\xfa"},       // 932
        {3, orvmxl::kStatic, "Caf\xc3\xa9 \xe2\x80\x9c\xe6\x97\xa5"},                  // UTF-8 as it is
    };
    for (const auto& c : cases) {
        FakeSession session;
        session.statics[-1074135037] = "Caf\xc3\xa9 \xe2\x80\x9c\xe6\x97\xa5";  // Café “日
        orverr::Status in;
        raiseWithTranslator(in);
        orverr::Status out;
        std::string text;
        orvmxl::translateStatus(session, in, c.language, c.flags, text, out);
        EXPECT_EQ(out.code, 0) << out.text();
        EXPECT_EQ(text, c.expected) << c.language;
    }
}

TEST(TranslateStatus, NothingForSuccessOrAnEarlierError) {
    FakeSession session;
    orverr::Status in;
    orverr::Status out;
    std::string text = "kept";
    orvmxl::translateStatus(session, in, 0, orvmxl::kStatic, text, out);
    EXPECT_EQ(text, "kept");
    raiseWithTranslator(in);
    out.code = -9;
    orvmxl::translateStatus(session, in, 0, orvmxl::kStatic, text, out);
    EXPECT_EQ(text, "kept");
}

TEST(TextCut, NeverHalfACharacter) {
    const struct {
        std::string text;
        std::size_t length;
        uint32_t codePage;
        std::string expected;
    } cases[] = {
        {"ab\xe6\x97\xa5", 4, orvmxl::kUtf8, "ab"},
        {"ab\xe6\x97\xa5", 5, orvmxl::kUtf8, "ab\xe6\x97\xa5"},
        {"a\x93\xfa\x93\xfa", 4, 932, "a\x93\xfa"},
        {"\x81\x81\x81\x81x", 3, 932, "\x81\x81"},  // a trail byte that looks like a lead byte
        {"\xb0\xa1\xb0\xa1", 3, 949, "\xb0\xa1"},
        {"caf\xe9", 3, 1252, "caf"},
    };
    for (const auto& c : cases) EXPECT_EQ(orvmxl::cutText(c.text, c.length, c.codePage), c.expected);
}

}  // namespace
