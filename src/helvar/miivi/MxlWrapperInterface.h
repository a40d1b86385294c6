#pragma once
// Turns a status into a localized text of its details.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"
#include "helvar/orvmxl/TranslateFlags.h"

namespace miivi {

// Parts of a description to produce.
enum TranslateFlags : uint32_t {
    kTranslateStatic = orvmxl::kStatic,
    kTranslateDynamic = orvmxl::kDynamic,
    kTranslateDebug = orvmxl::kDebug,
    kTranslateNested = orvmxl::kNested,
    kTranslateLocalCodePage = orvmxl::kLocalCodePage,
};

class MxlWrapperInterface {
public:
    virtual ~MxlWrapperInterface() = default;
    // Status-in/status-out: does nothing when out already holds an error.
    virtual void translate(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                           orverr::Status& out) = 0;
    virtual void discard(orverr::Status& status) = 0;
};

}  // namespace miivi
