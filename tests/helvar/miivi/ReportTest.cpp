// What the exports hand to the engine for a failure: the code, the description and its cut.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "helvar/miivi/ReportToSession.h"
#include "support/NullIviWrapper.h"

namespace {

// Records set-error-info; every other engine call succeeds with nothing.
class RecordingWrapper : public testing_support::NullIviWrapper {
public:
    int calls = 0;
    ViBoolean overwrite = 9;
    ViStatus primary = 0, secondary = 9;
    std::string elaboration;
    bool ignored = false;

    ViSession getSession() const override { return 5; }
    ViStatus Ivi_SetErrorInfo(ViBoolean o, ViStatus p, ViStatus s, ViConstString e, bool ignoreErrors) override {
        ++calls;
        overwrite = o, primary = p, secondary = s, elaboration = e ? e : "<null>", ignored = ignoreErrors;
        return -1;  // refused: must not matter
    }
};

// Answers with a fixed text, or fails.
class FixedTranslator : public miivi::MxlWrapperInterface {
public:
    std::string answer;
    bool fail = false;
    uint32_t language = 99, flags = 0;
    int discarded = 0;
    void translate(const orverr::Status&, uint32_t l, uint32_t f, std::string& text, orverr::Status& out) override {
        language = l, flags = f;
        text = answer;
        if (fail) orverr::setCode(out, -52000);
    }
    void discard(orverr::Status&) override { ++discarded; }
};

template <class Throw>
void reportWhile(Throw&& raise, orverr::Status& status, RecordingWrapper& wrapper, FixedTranslator& translator,
                 uint32_t language) {
    try {
        raise();
    } catch (const std::exception&) {
        miivi::reportToSession(status, wrapper, translator, language);
    }
}

TEST(ReportToSession, HandsCodeAndDescriptionToTheEngine) {
    RecordingWrapper wrapper;
    FixedTranslator translator;
    translator.answer = "details";
    orverr::Status status;
    reportWhile([] { ORVERR_THROW(orverr::codes::kBufferTooSmall).raise(); }, status, wrapper, translator, 3);
    EXPECT_EQ(status.code, -1074100299);
    EXPECT_EQ(wrapper.calls, 1);
    EXPECT_EQ(wrapper.overwrite, VI_FALSE);
    EXPECT_EQ(wrapper.primary, -1074100299);
    EXPECT_EQ(wrapper.secondary, 0);
    EXPECT_EQ(wrapper.elaboration, "details");
    EXPECT_TRUE(wrapper.ignored);
    EXPECT_EQ(translator.language, 3u);
    EXPECT_EQ(translator.flags, 0x4000000Au);
    EXPECT_EQ(translator.discarded, 1);
}

TEST(ReportToSession, UntranslatableStatusGetsTheFixedText) {
    RecordingWrapper wrapper;
    FixedTranslator translator;
    translator.answer = "partial";
    translator.fail = true;
    orverr::Status status;
    reportWhile([] { throw std::runtime_error("boom"); }, status, wrapper, translator, 0);
    EXPECT_EQ(status.code, -1074135040);
    EXPECT_EQ(wrapper.elaboration, "Could not retrieve error description.");
}

TEST(ReportToSession, OutOfMemoryIsClassified) {
    RecordingWrapper wrapper;
    FixedTranslator translator;
    orverr::Status status;
    reportWhile([] { throw std::bad_alloc(); }, status, wrapper, translator, 0);
    EXPECT_EQ(wrapper.primary, -1074134954);
}

TEST(ReportToSession, LongDescriptionsAreMarkedAsCutAndKeepTheirLength) {
    for (std::size_t length : {1022u, 1023u, 1500u}) {
        RecordingWrapper wrapper;
        FixedTranslator translator;
        translator.answer = std::string(length, 'x');
        orverr::Status status;
        reportWhile([] { ORVERR_THROW(orverr::codes::kBufferTooSmall).raise(); }, status, wrapper, translator, 0);
        ASSERT_EQ(wrapper.elaboration.size(), length);
        if (length < 1023) {
            EXPECT_EQ(wrapper.elaboration, translator.answer);
        } else {
            EXPECT_EQ(wrapper.elaboration.substr(1019, 4), "x...");
            EXPECT_EQ(wrapper.elaboration.find('.'), 1020u);
            EXPECT_EQ(wrapper.elaboration.rfind('.'), 1022u);
        }
    }
}

TEST(ReportToSession, TheCutNeverLeavesHalfACharacterOfTheDeliveredEncoding) {
    const struct {
        uint32_t language;
        std::string answer;
        std::string expectedTail;  // from position 1016 to 1026
    } cases[] = {
        // Code page 932: a double-byte character at 1019-1020 and one at 1022-1023 are dotted whole.
        {3, std::string(1019, 'a') + "\x93\xfa" + "b" + "\x93\xfa" + std::string(10, 'c'), "aaa....." + std::string("ccc")},
        // UTF-8 (an invalid language is delivered as UTF-8): a three-byte character at 1018-1020.
        {9, std::string(1018, 'a') + "\xe6\x97\xa5" + std::string(10, 'c'), "aa.....cccc"},
    };
    for (const auto& c : cases) {
        RecordingWrapper wrapper;
        FixedTranslator translator;
        translator.answer = c.answer;
        orverr::Status status;
        reportWhile([] { ORVERR_THROW(orverr::codes::kBufferTooSmall).raise(); }, status, wrapper, translator,
                    c.language);
        ASSERT_EQ(wrapper.elaboration.size(), c.answer.size());
        EXPECT_EQ(wrapper.elaboration.substr(1016, 11), c.expectedTail) << c.language;
    }
}

}  // namespace
