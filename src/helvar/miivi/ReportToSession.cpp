#include "helvar/miivi/ReportToSession.h"

#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/TranslateException.h"
#include "helvar/orvmxl/TextCut.h"

namespace miivi {
namespace {

// Positions 1020-1022 become dots; a character cut by either end of the dots is dotted whole, so
// the text never holds half a character of its encoding.
void markCut(std::string& text, uint32_t codePage) {
    if (text.size() < kDescriptionLimit) return;
    const std::size_t first = orvmxl::characterStart(text, kDescriptionLimit - 3, codePage);
    std::size_t end = kDescriptionLimit;
    while (end < text.size() && orvmxl::characterStart(text, end, codePage) < kDescriptionLimit) ++end;
    for (std::size_t i = first; i < end; ++i) text[i] = '.';
}

}  // namespace

void reportToSession(orverr::Status& status, IviWrapperInterface& wrapper, MxlWrapperInterface& translator,
                     uint32_t language) {
    orverr::translateException(status);
    std::string text;
    orverr::Status local;
    translator.translate(status, language, kReportTranslateFlags, text, local);
    if (local.code < 0) text = kNoDescriptionText;
    markCut(text, orvmxl::deliveryCodePage(language, kReportTranslateFlags));
    wrapper.Ivi_SetErrorInfo(VI_FALSE, status.code, VI_SUCCESS, text.c_str(), true);
    translator.discard(local);
    local.release();
}

void reportUnknownFailure(orverr::Status& status, IviWrapperInterface& wrapper) {
    orverr::setCode(status, orverr::codes::kUnexpectedFailure.code);
    wrapper.Ivi_SetErrorInfo(VI_FALSE, status.code, VI_SUCCESS, nullptr, true);
}

}  // namespace miivi
