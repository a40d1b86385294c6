// Every engine name of the engine's list, as a weak definition: the functions the stand-in
// implements replace theirs at link time; the rest answer "not supported". This file must not see
// the engine's prototypes, which differ from the stubs' parameter lists.
#include "NotSupported.h"

#if defined(_WIN32)
// A DLL cannot export a weak definition: each stub has a name of its own, and the engine's
// module-definition file exports it under the engine name when no real function has that name.
#define SIMIVI_STUB(name) \
    extern "C" ViStatus SimIviStub_##name() { return simivi::notSupported(#name); }
#else
#define SIMIVI_STUB(name) \
    extern "C" __attribute__((weak, visibility("default"))) ViStatus name() { return simivi::notSupported(#name); }
#endif
#define IVI_REQUIRED(name) SIMIVI_STUB(name)
#define IVI_OPTIONAL(name) SIMIVI_STUB(name)
#include "IviEngineExports.def"
