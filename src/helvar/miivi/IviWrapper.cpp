#include "helvar/miivi/IviWrapper.h"

#include "common/orverr/Raise.h"

namespace miivi {

ViStatus IviWrapper::raiseErrors(ViStatus status, bool ignoreErrors) {
    if (!ignoreErrors && status < 0) ORVERR_THROW_ENGINE(status);
    return status;
}

ViStatus IviWrapper::raiseErrorsRecordWarnings(ViStatus status, bool ignoreErrors) {
    if (ignoreErrors) return status;
    if (status < 0) ORVERR_THROW_ENGINE(status);
    if (status > 0) engine().Ivi_SetErrorInfo(vi_, VI_FALSE, status, VI_SUCCESS, nullptr);
    return status;
}

// What each kind makes of the engine's answer.
#define MIIVI_WRAPPER_RESULT(use, call) MIIVI_WRAPPER_RESULT_##use(call)
#define MIIVI_WRAPPER_RESULT_RAISING(call) raiseErrorsRecordWarnings(call, ignoreErrors)
#define MIIVI_WRAPPER_RESULT_RAISING_CUSTOM(call) raiseErrorsRecordWarnings(call, ignoreErrors)
#define MIIVI_WRAPPER_RESULT_SIZING(call) raiseErrors(call, ignoreErrors)
#define MIIVI_WRAPPER_RESULT_QUERY(call) call
#define MIIVI_WRAPPER_RESULT_AVAILABILITY(call) call
#define MIIVI_OPERATION(result, name, form, use, parameters, arguments)                               \
    result IviWrapper::name MIIVI_WRAPPER_PARAMETERS(use, parameters, bool ignoreErrors) {            \
        return MIIVI_WRAPPER_RESULT(use, engine().name MIIVI_ENGINE_ARGUMENTS(form, vi_, arguments)); \
    }
#define IVI_CALL(result, name, form, use, parameters, arguments) \
    MIIVI_IF_WRAPPED(use, MIIVI_OPERATION(result, name, form, use, parameters, arguments))
#include "helvar/miivi/IviEngineNames.def"

}  // namespace miivi
