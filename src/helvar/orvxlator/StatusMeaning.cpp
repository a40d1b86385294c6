#include "helvar/orvxlator/StatusMeaning.h"

#include "common/orverr/Codes.h"
#include "helvar/orvxlator/NativeXlator.h"

namespace orvxlator {

bool describeStatusCode(int32_t code, uint32_t language, std::string& text, orverr::Status& status) {
    const NativeDescriber& describer = nativeDescriber();
    describer.lookup(code, language, text, status);
    if (status.isError() || !text.empty()) return !status.isError();
    // The sentences about unknown codes are the explanation of that warning, in every language.
    describer.describe(orverr::codes::kUnknownStatusCode.code, language, text, status);
    return false;
}

}  // namespace orvxlator
