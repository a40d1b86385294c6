#pragma once
// Package load hooks and the event log of the platform library orvpalu.
#include <stdint.h>

#include "palu/Export.h"

#ifdef __cplusplus
extern "C" {
#endif

// Package events of a module: 0 load, 1 unload, 2 load complete, 3 unload begins,
// 4 thread attach, 5 thread detach.
enum {
    kPkgEventLoad = 0,
    kPkgEventUnload = 1,
    kPkgEventLoadComplete = 2,
    kPkgEventUnloadBegin = 3,
    kPkgEventThreadAttach = 4,
    kPkgEventThreadDetach = 5
};

// A module's package callback: returns a status, negative = failure.
typedef int32_t (*tPkgModuleCallback)(uint32_t event);

// Records a package event of a module in the platform's package log. Returns 0.
PALU_API int32_t pkgModulePackageEventLog(uint32_t event, const char* moduleFileName,
                                          const char* buildDescription, const char* packageName);

// Writes one formatted line to the system event log under an event source (here: standard
// error, prefixed "<source>: ").
PALU_API void _palLogEvent(const char* source, const char* format, ...) ORV_PRINTF_FORMAT(2, 3);

// --- test control of the stand-in (not part of the real library) ---

// Number of package events logged since start or reset; copies up to capacity of them, oldest
// first, into events (may be null).
PALU_API uint32_t SimPalu_getPackageEvents(uint32_t* events, uint32_t capacity);
// The last package event's package name ("" if none), truncated to size.
PALU_API void SimPalu_getLastPackageName(char* buffer, uint32_t size);
// All lines given to _palLogEvent since start or reset, each "<source>: <text>", concatenated;
// returns the size needed including the NUL, copying what fits.
PALU_API uint32_t SimPalu_getEventLogText(char* buffer, uint32_t size);
PALU_API void SimPalu_reset(void);

#ifdef __cplusplus
}
#endif
