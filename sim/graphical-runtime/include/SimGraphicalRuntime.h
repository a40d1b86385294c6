#pragma once
/* The graphical run-time stand-in. Strings of the run-time are length-prefixed: one length
   byte, then the characters. */
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32)
/* Named exports only: otherwise the linker exports everything, the static libgcc included. */
#define SIM_GXRT_API __declspec(dllexport)
#else
#define SIM_GXRT_API __attribute__((visibility("default")))
#endif

/* Writes the current language name into a 264-byte buffer. */
SIM_GXRT_API void GetLangStr(unsigned char* buffer);
/* 0 when equal, else the sign of the first difference (a shorter string first). */
SIM_GXRT_API int32_t PStrCmp(const unsigned char* a, const unsigned char* b);
/* Sets the current language name ("Japanese", "English", ...); null goes back to the default,
   the value of SIM_GXRT_LANGUAGE or "English". */
SIM_GXRT_API void SimGxrt_SetLanguage(const char* name);
/* Calls of GetLangStr so far. */
SIM_GXRT_API int32_t SimGxrt_LanguageQueries(void);

#ifdef __cplusplus
}
#endif
