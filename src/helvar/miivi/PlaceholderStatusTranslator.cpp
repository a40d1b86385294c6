#include "helvar/miivi/PlaceholderStatusTranslator.h"

namespace miivi {

void PlaceholderStatusTranslator::translate(const orverr::Status& in, uint32_t, uint32_t, std::string& text,
                                            orverr::Status& out) {
    if (in.code == 0 || out.code < 0) return;
    text = in.text();
}

}  // namespace miivi
