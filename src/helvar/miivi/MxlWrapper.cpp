#include "helvar/miivi/MxlWrapper.h"

#include "helvar/orvmxl/TranslateStatus.h"

namespace miivi {

void MxlWrapper::translate(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                           orverr::Status& out) {
    orvmxl::translateStatus(in, language, flags, text, out);
}

void MxlWrapper::discard(orverr::Status&) {}

}  // namespace miivi
