#include "helvar/miivi/ReportToSession.h"

#include <string>

#include "common/orverr/Codes.h"
#include "common/orverr/TranslateException.h"

namespace miivi {

void reportToSession(orverr::Status& status, IviWrapperInterface& wrapper, MxlWrapperInterface& translator,
                     uint32_t language) {
    orverr::translateException(status);
    std::string text;
    orverr::Status local;
    translator.translate(status, language, kReportTranslateFlags, text, local);
    if (local.code < 0) text = kNoDescriptionText;
    if (text.size() >= kDescriptionLimit) text.replace(kDescriptionLimit - 3, 3, "...");
    wrapper.Ivi_SetErrorInfo(VI_FALSE, status.code, VI_SUCCESS, text.c_str(), true);
    translator.discard(local);
    local.release();
}

void reportUnknownFailure(orverr::Status& status, IviWrapperInterface& wrapper) {
    orverr::setCode(status, orverr::codes::kUnexpectedFailure.code);
    wrapper.Ivi_SetErrorInfo(VI_FALSE, status.code, VI_SUCCESS, nullptr, true);
}

}  // namespace miivi
