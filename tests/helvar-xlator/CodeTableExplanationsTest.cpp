// Every code of the code table, and every engine status the library forwards, has a description
// in every delivered language folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/orverr/Codes.h"
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

TEST(CodeTableExplanations, EveryCodeInEveryLanguage) {
    const char* out = std::getenv("ORV_OUT");
    ASSERT_NE(out, nullptr);
    for (const orvxlator::Language& language : orvxlator::kLanguages) {
        const std::string folder = std::string(out) + "/shared/Errors/" + language.folder;
        for (const NamedCode& entry : kTableCodes) {
            orverr::Status status;
            std::string text;
            orvxlator::explanationFiles().findInFolder(folder, entry.code, text, status);
            EXPECT_EQ(status.code, 0) << status.text();
            EXPECT_FALSE(text.empty()) << entry.name << " (" << entry.code << ") has no description in "
                                       << language.folder;
        }
    }
}

}  // namespace
