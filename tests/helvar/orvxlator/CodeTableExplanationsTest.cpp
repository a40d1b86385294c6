// Every code of the code table, and every engine status the library forwards, has a description
// in every delivered language folder, short enough for the error accessor's 255 bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "DigiscanStatusCodes.h"
#include "common/orverr/Codes.h"
#include "helvar/miivi/ErrorAccessor.h"
#include "helvar/orvmxl/TranslateFlags.h"
#include "helvar/orvxlator/ExplanationFiles.h"
#include "helvar/orvxlator/Languages.h"

namespace {

struct NamedCode {
    const char* name;
    int32_t code;
};

const NamedCode kTableCodes[] = {
#define ORVERR_CODE(name, value, constant) {#name, value},
#include "common/orverr/Codes.def"
#undef ORVERR_CODE
    {"engine::kLoadFailed", orverr::engine::kLoadFailed},
    {"engine::kFunctionMissing", orverr::engine::kFunctionMissing},
};

// Every code the explanation files describe: the code table's, the engine's and the driver's.
std::vector<NamedCode> everyCode() {
    std::vector<NamedCode> codes(std::begin(kTableCodes), std::end(kTableCodes));
    for (ViStatus code : digiscan::kEngineStatuses) codes.push_back({"engine status", code});
    for (const digiscan::StatusMeaning& meaning : digiscan::kStatusMeanings) codes.push_back({"driver status", meaning.code});
    return codes;
}

TEST(CodeTableExplanations, EveryCodeInEveryLanguage) {
    const char* out = std::getenv("ORV_OUT");
    ASSERT_NE(out, nullptr);
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        const std::string folder = std::string(out) + "/shared/Errors/" + language.folder;
        for (const NamedCode& entry : everyCode()) {
            orverr::Status status;
            std::string text;
            orvxlator::explanationFiles().findInFolder(folder, entry.code, text, status);
            EXPECT_EQ(status.code, 0) << status.text();
            EXPECT_FALSE(text.empty()) << entry.name << " (" << entry.code << ") has no description in "
                                       << language.folder;
        }
    }
}

TEST(CodeTableExplanations, TheErrorAccessorNeverCutsAnExplanation) {
    const char* out = std::getenv("ORV_OUT");
    ASSERT_NE(out, nullptr);
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        const std::string folder = std::string(out) + "/shared/Errors/" + language.folder;
        const uint32_t number = static_cast<uint32_t>(&language - orvxlator::kLanguages);
        for (const NamedCode& entry : everyCode()) {
            orverr::Status status;
            std::string delivered;
            orvxlator::explanationFiles().findInFolder(folder, entry.code, delivered, status);
            ASSERT_EQ(status.code, 0) << status.text();
            EXPECT_LE(delivered.size(), miivi::ErrorAccessor::kDescriptionSize - 1)
                << entry.name << " (" << entry.code << ") in " << language.folder;
            char buffer[miivi::ErrorAccessor::kDescriptionSize] = {0};
            miivi::errorAccessor().describeCode(number, entry.code, buffer, orvmxl::kLocalCodePage);
            EXPECT_EQ(std::string(buffer), delivered) << entry.name << " (" << entry.code << ") in " << language.folder;
        }
    }
}

}  // namespace
