#pragma once
// An engine wrapper on which every call succeeds and does nothing; a test derives from it and
// overrides the calls it watches. Its operations come from the engine table.
#include "helvar/miivi/IviWrapperInterface.h"

namespace testing_support {

class NullIviWrapper : public miivi::IviWrapperInterface {
public:
    ViSession getSession() const override { return 0; }
#define IVI_CALL(result, name, form, use, parameters, arguments) \
    MIIVI_IF_WRAPPED(use, result name MIIVI_WRAPPER_PARAMETERS(use, parameters, bool = false) override { return 0; })
#include "helvar/miivi/IviEngineNames.def"
};

}  // namespace testing_support
