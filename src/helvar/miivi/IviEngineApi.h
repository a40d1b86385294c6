#pragma once
// Signatures of the IVI engine functions this library calls (C linkage, default convention), one
// pointer type per function, named after it; generated from the engine table.
#include "IviTypes.h"  // also the attribute callback types
#include "helvar/miivi/IviEngineSignatures.h"

namespace miivi {
namespace api {

extern "C" {
#define IVI_CALL(result, name, form, use, parameters, arguments) \
    typedef result(*name) MIIVI_ENGINE_PARAMETERS(form, parameters);
#include "helvar/miivi/IviEngineNames.def"
}

}  // namespace api
}  // namespace miivi
