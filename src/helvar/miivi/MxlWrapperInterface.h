#pragma once
// Turns a status into a localized text of its details.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"

namespace miivi {

// Parts of a description to produce.
enum TranslateFlags : uint32_t {
    kTranslateStatic = 0x1,        // the description of the code
    kTranslateDynamic = 0x2,       // the elaborations
    kTranslateDebug = 0x4,         // the translators' debug parts
    kTranslateNested = 0x8,        // nested errors
    kTranslateLocalCodePage = 0x40000000,  // the language's Windows code page instead of UTF-8
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
