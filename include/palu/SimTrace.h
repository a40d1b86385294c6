#pragma once
// Test control of the trace stand-in (liborvmdbgu.so). Not part of the real platform library.
#include <stdint.h>

#include "palu/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

// 1 on, 0 off, -1 back to the environment (ORV_TRACE=1 means on).
MDBG_API void SimTrace_setEnabled(int32_t enabled);

// Receives every finished trace line (without the line end) instead of standard error; null
// restores standard error. Called with the trace's lock held: do not trace from it.
typedef void (*SimTrace_LineCallback)(void* context, const char* line);
MDBG_API void SimTrace_setLineCallback(SimTrace_LineCallback callback, void* context);

// How many times evalCheck answered true since the process started (or the last reset).
MDBG_API uint32_t SimTrace_getCheckCount(void);
MDBG_API void SimTrace_resetCheckCount(void);

#ifdef __cplusplus
}
#endif
