#include "NotSupported.h"

#include "Engine.h"

namespace simivi {

ViStatus notSupported(const char* function) {
    const SimIvi_CallToken token = Engine::instance().injections().begin(function, 0);
    if (token.action == SIMIVI_INJECT_FAIL) return token.status;
    return IVI_ERROR_FUNCTION_NOT_SUPPORTED;
}

}  // namespace simivi
