#pragma once
// Stand-in for the translator framework until it is built: the "description" of a status is
// its status document. Replace the call in MxlWrapper.cpp with the real translation.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"

namespace miivi {

class PlaceholderStatusTranslator {
public:
    static void translate(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                          orverr::Status& out);
};

}  // namespace miivi
