#pragma once
// The translator wrapper that turns a status into its description.
#include "helvar/miivi/MxlWrapperInterface.h"

namespace miivi {

// Stateless; made where it is needed.
class MxlWrapper : public MxlWrapperInterface {
public:
    void translate(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                   orverr::Status& out) override;
    void discard(orverr::Status& status) override;
};

}  // namespace miivi
