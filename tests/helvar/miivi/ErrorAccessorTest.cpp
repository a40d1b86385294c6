// The error accessor over the real translators and the delivered explanation files, with an
// engine whose pending error a test sets.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/orverr/Exception.h"
#include "helvar/miivi/ErrorAccessor.h"
#include "helvar/miivi/MxlWrapper.h"
#include "support/NullIviWrapper.h"

namespace {

constexpr int32_t kReadingFile = -1074135037;
constexpr int32_t kParameterError = -1074135039;

// One pending error: primary, secondary and elaboration.
class PendingErrorWrapper : public testing_support::NullIviWrapper {
public:
    ViStatus Ivi_GetAttributeViString(ViConstString, ViAttr id, ViInt32, ViInt32 size, ViChar value[], bool) override {
        if (id != 1050103) return -1;
        std::strncpy(value, elaboration.c_str(), static_cast<size_t>(size) - 1);
        return 0;
    }
    ViStatus Ivi_GetAttributeViInt32(ViConstString, ViAttr id, ViInt32, ViInt32* value, bool) override {
        *value = id == 1050101 ? primary : id == 1050102 ? secondary : 0;
        return 0;
    }
    ViStatus Ivi_GetErrorInfo(ViStatus* p, ViStatus* s, ViChar[256], bool) override {
        *p = primary;
        *s = secondary;
        primary = secondary = 0;
        elaboration.clear();
        return 0;
    }
    ViStatus Ivi_ParamPositionError(ViInt32 position, bool) override { return kParameterError - position + 1; }

    ViStatus primary = 0;
    ViStatus secondary = 0;
    std::string elaboration;
};

miivi::MxlWrapper gTranslator;

TEST(ErrorAccessor, DescribesACodeInTheLanguageAskedFor) {
    miivi::ErrorAccessor accessor(gTranslator);
    char english[256] = {0};
    accessor.describeCode(0, kReadingFile, english, 0);
    EXPECT_EQ(std::string(english).rfind("The file could not be read.", 0), 0u) << english;
    char japanese[256] = {0};
    accessor.describeCode(3, kReadingFile, japanese, miivi::kTranslateLocalCodePage);
    EXPECT_GT(std::strlen(japanese), 0u);
    EXPECT_NE(std::string(japanese), english);
    EXPECT_LE(std::strlen(japanese), 255u);
}

TEST(ErrorAccessor, ANullBufferIsRefused) {
    miivi::ErrorAccessor accessor(gTranslator);
    try {
        accessor.describeCode(0, kReadingFile, nullptr, 0);
        FAIL();
    } catch (const orverr::Exception& e) {
        EXPECT_EQ(e.status().code, -1074134952);
        EXPECT_NE(std::string(e.what()).find("Null parameter received."), std::string::npos);
    }
}

TEST(ErrorAccessor, SizeZeroAsksTheSizeAndLeavesTheErrorPending) {
    miivi::ErrorAccessor accessor(gTranslator);
    PendingErrorWrapper wrapper;
    wrapper.primary = kReadingFile;
    wrapper.secondary = kParameterError - 2;  // third parameter
    wrapper.elaboration = "File Path: /x";
    int32_t code = 0;
    const int32_t needed = accessor.getError(0, wrapper, true, &code, 0, nullptr, 0);
    EXPECT_EQ(code, kReadingFile);
    EXPECT_EQ(wrapper.primary, kReadingFile);
    ASSERT_GT(needed, 1);

    std::string buffer(static_cast<size_t>(needed), '#');
    EXPECT_EQ(accessor.getError(0, wrapper, true, &code, needed, buffer.data(), 0), 0);
    const std::string text = buffer.c_str();
    EXPECT_EQ(text.size() + 1, static_cast<size_t>(needed));
    EXPECT_EQ(text.rfind("The file could not be read.", 0), 0u);
    // The secondary code is a parameter-position error and is skipped.
    EXPECT_NE(text.find("\n\nFile Path: /x"), std::string::npos);
    EXPECT_EQ(text.find("\n\n"), text.find("\n\nFile Path: /x"));
    EXPECT_EQ(wrapper.primary, 0);  // cleared

    // Not skipped, it is described between the two.
    wrapper.primary = kReadingFile;
    wrapper.secondary = kParameterError - 2;
    wrapper.elaboration = "File Path: /x";
    std::string all(4096, '#');
    EXPECT_EQ(accessor.getError(0, wrapper, false, &code, 4096, all.data(), 0), 0);
    EXPECT_LT(std::string(all.c_str()).find("\n\n"), std::string(all.c_str()).find("\n\nFile Path: /x"));
}

TEST(ErrorAccessor, ASmallBufferIsFilledAndTerminatedWithoutHalfCharacters) {
    miivi::ErrorAccessor accessor(gTranslator);
    for (int32_t size : {1, 2, 17, 40}) {
        PendingErrorWrapper wrapper;
        wrapper.primary = kReadingFile;
        wrapper.elaboration = "x";
        std::string buffer(64, '#');
        int32_t code = 0;
        EXPECT_EQ(accessor.getError(3, wrapper, false, &code, size, buffer.data(), miivi::kTranslateLocalCodePage), 0);
        const size_t length = std::strlen(buffer.c_str());
        EXPECT_LT(length, static_cast<size_t>(size));
        EXPECT_EQ(buffer[static_cast<size_t>(size)], '#');
    }
}

TEST(ErrorAccessor, PointersAreCheckedAndANegativeSizeIsRefused) {
    miivi::ErrorAccessor accessor(gTranslator);
    PendingErrorWrapper wrapper;
    wrapper.primary = kReadingFile;
    char buffer[16];
    int32_t code = 0;
    EXPECT_THROW(accessor.getError(0, wrapper, false, nullptr, 16, buffer, 0), orverr::Exception);
    EXPECT_THROW(accessor.getError(0, wrapper, false, &code, 16, nullptr, 0), orverr::Exception);
    EXPECT_THROW(accessor.getError(0, wrapper, false, &code, -1, buffer, 0), orverr::Exception);
    // Size 0 with no pointers at all only reports the size.
    EXPECT_GT(accessor.getError(0, wrapper, false, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(wrapper.primary, kReadingFile);
}

TEST(ErrorAccessor, NothingPendingNeedsNothing) {
    miivi::ErrorAccessor accessor(gTranslator);
    PendingErrorWrapper wrapper;
    int32_t code = 5;
    EXPECT_EQ(accessor.getError(0, wrapper, false, &code, 0, nullptr, 0), 0);
    EXPECT_EQ(code, 0);
}

}  // namespace
