#pragma once
// Exports of the explorer plug-in Quorrel (libQuorrel.so). The factory has its plain name; the
// three version functions are exported under their C++ (decorated) names, which the explorer
// looks up as listed below.
#include <cstdint>

#include "explorer/Com.h"
#include "palu/tSSVersion.h"

#if defined(QUORREL_BUILDING)
#define QUORREL_API ORV_SYMBOL_EXPORT
#else
#define QUORREL_API ORV_SYMBOL_IMPORT
#endif

extern "C" {
// A new expert (one reference for the caller) as its IsvSysExpert2 interface.
typedef HRESULT (*createDigiscanSysApiExpert_t)(void** expert);
QUORREL_API HRESULT createDigiscanSysApiExpert(void** expert);
}

namespace nQuorrel100 {
// status is neither read nor written.
QUORREL_API tSSVersion getCurrentVersion(int32_t& status);
QUORREL_API tSSVersion getOldestCompatibleVersion(int32_t& status);
// Folds the check of the desired range [oldestDesired, newestDesired] into status; does
// nothing when status is already negative. component may be null.
QUORREL_API void compareVersion(const tSSVersion& newestDesired, const tSSVersion& oldestDesired,
                                int32_t& status, const char* component);
}  // namespace nQuorrel100

typedef tSSVersion (*nQuorrel100_getVersion_t)(int32_t& status);
typedef void (*nQuorrel100_compareVersion_t)(const tSSVersion& newestDesired,
                                             const tSSVersion& oldestDesired, int32_t& status,
                                             const char* component);

// Exported names of the functions above (Itanium C++ ABI).
#define QUORREL_EXPORT_CREATE_EXPERT "createDigiscanSysApiExpert"
#define QUORREL_EXPORT_GET_CURRENT_VERSION "_ZN11nQuorrel10017getCurrentVersionERi"
#define QUORREL_EXPORT_GET_OLDEST_COMPATIBLE_VERSION "_ZN11nQuorrel10026getOldestCompatibleVersionERi"
#define QUORREL_EXPORT_COMPARE_VERSION "_ZN11nQuorrel10014compareVersionERK10tSSVersionS2_RiPKc"

// On Windows the plug-in also exports the three version functions under the names an MSVC-built
// explorer looks up, following the MSVC x64 conventions for these signatures: tSSVersion, a class
// with user constructors, is returned through a hidden pointer (the caller's storage in RCX, the
// status reference in RDX, the same pointer back in RAX). A host built with mingw calls them as
//   tSSVersion* (*)(tSSVersion* result, int32_t* status)
//   void (*)(const tSSVersion* newest, const tSSVersion* oldest, int32_t* status, const char* component)
#define QUORREL_MSVC_EXPORT_GET_CURRENT_VERSION "?getCurrentVersion@nQuorrel100@@YA?AVtSSVersion@@AEAH@Z"
#define QUORREL_MSVC_EXPORT_GET_OLDEST_COMPATIBLE_VERSION \
    "?getOldestCompatibleVersion@nQuorrel100@@YA?AVtSSVersion@@AEAH@Z"
#define QUORREL_MSVC_EXPORT_COMPARE_VERSION "?compareVersion@nQuorrel100@@YAXAEBVtSSVersion@@0AEAHPEBD@Z"

// Status results of compareVersion.
inline constexpr int32_t kQuorrelVersionRangeInverted = -50000;
inline constexpr int32_t kQuorrelVersionTooNew = -50252;   // desired range wholly above the installed one
inline constexpr int32_t kQuorrelVersionTooOld = -50253;   // desired range wholly below the installed one
