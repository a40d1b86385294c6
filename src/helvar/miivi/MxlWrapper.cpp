#include "helvar/miivi/MxlWrapper.h"

#include "helvar/miivi/PlaceholderStatusTranslator.h"

namespace miivi {

void MxlWrapper::translate(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                           orverr::Status& out) {
    PlaceholderStatusTranslator::translate(in, language, flags, text, out);
}

void MxlWrapper::discard(orverr::Status&) {}

}  // namespace miivi
