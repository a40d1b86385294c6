// The four exports through which a host of the graphical run-time names the run-time module.
#define HELVAR_BUILDING 1
#include "Helvar.h"

#include "helvar/graphixv/DefaultLanguage.h"
#include "helvar/graphixv/RuntimeModule.h"
#include "helvar/miivi/LanguageAccessor.h"

namespace {

// The default language of descriptions is taken once, while the library is loaded.
struct DefaultLanguageAtLoad {
    DefaultLanguageAtLoad() { miivi::languageAccessor().setLanguage(graphixv::detectDefaultLanguage()); }
} gDefaultLanguageAtLoad;

}  // namespace

extern "C" {

// The hooks are empty on purpose: a host may patch or observe them after setting a value.
HELVAR_API void SetGXRTModuleHook(void) {}

HELVAR_API void SetGXRTTLSIndexHook(void) { SetGXRTModuleHook(); }

HELVAR_API void SetGXRTModule(void* module) {
    graphixv::runtimeModuleState().setModule(module);
    SetGXRTModuleHook();
}

HELVAR_API void SetGXRTTLSIndex(ViUInt32 index) {
    graphixv::runtimeModuleState().setTlsIndex(index);
    SetGXRTTLSIndexHook();
}

}  // extern "C"
