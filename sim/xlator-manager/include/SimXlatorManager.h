#pragma once
/* The translator manager stand-in: the four manager entry points, and counters for tests. The
   status and the translator table are the layouts the manager shares with its callers. */
#include <stddef.h>
#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* code, capacity, reallocate(status, requested), document: see the status of the callers. */
typedef struct SimXlatorStatus SimXlatorStatus;
struct SimXlatorStatus {
    int32_t code;
    uint32_t capacity;
    bool (*reallocate)(SimXlatorStatus* status, uint32_t requested);
    char* json;
};

typedef void* (*SimXlatorRealloc)(void* pointer, size_t size, void* context, SimXlatorStatus* status);

typedef struct SimXlatorTable SimXlatorTable;
struct SimXlatorTable {
    uint64_t size; /* 32 */
    void (*destroy)(SimXlatorTable* xlator);
    char* (*getStaticDesc)(SimXlatorTable* xlator, int32_t code, uint32_t languageWord, SimXlatorRealloc allocate,
                           void* context, SimXlatorStatus* status);
    char* (*getDynamicDesc)(SimXlatorTable* xlator, const char* document, uint32_t languageWord, const char* format,
                            SimXlatorRealloc allocate, void* context, SimXlatorStatus* status);
};

#if defined(_WIN32)
/* Named exports only: otherwise the linker exports everything, the static libgcc included. */
#define SIM_XLATOR_API __declspec(dllexport)
#else
#define SIM_XLATOR_API __attribute__((visibility("default")))
#endif

#define SIM_XLATOR_MANAGER_TRANSLATOR "simxlator_manager"

SIM_XLATOR_API void* orvxlatormgr_createSession(SimXlatorStatus* status);
SIM_XLATOR_API void orvxlatormgr_destroySession(void* session);
SIM_XLATOR_API SimXlatorTable* orvxlatormgr_createXlator(void* session, const char* name,
                                                                               SimXlatorStatus* status, void* reserved);
SIM_XLATOR_API void orvxlatormgr_destroyXlator(void* session, SimXlatorTable* xlator);

/* Sessions and translators created and not yet destroyed. */
SIM_XLATOR_API int32_t SimXlatorMgr_LiveSessions(void);
SIM_XLATOR_API int32_t SimXlatorMgr_LiveTranslators(void);

#ifdef __cplusplus
}
#endif
