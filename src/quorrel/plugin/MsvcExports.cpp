// The version exports under their MSVC names (explorer/QuorrelExports.h), Windows only. Each entry
// point has, as a C function of the Windows x64 convention, the shape MSVC gives the C++
// signature: the getters take the caller's result storage first and hand it back, the check
// takes its references as pointers.
#if defined(_WIN32)
#define QUORREL_BUILDING
#include "explorer/QuorrelExports.h"

#include <new>

extern "C" {

tSSVersion* quorrelMsvcGetCurrentVersion(tSSVersion* result, int32_t* status) {
    return ::new (static_cast<void*>(result)) tSSVersion(nQuorrel100::getCurrentVersion(*status));
}

tSSVersion* quorrelMsvcGetOldestCompatibleVersion(tSSVersion* result, int32_t* status) {
    return ::new (static_cast<void*>(result)) tSSVersion(nQuorrel100::getOldestCompatibleVersion(*status));
}

void quorrelMsvcCompareVersion(const tSSVersion* newestDesired, const tSSVersion* oldestDesired, int32_t* status,
                               const char* component) {
    nQuorrel100::compareVersion(*newestDesired, *oldestDesired, *status, component);
}

}  // extern "C"

// The linker exports each entry point under the decorated name (a directive of the object file,
// as dllexport is; GCC cannot spell these names as symbols).
#define QUORREL_EXPORT_AS(exported, internal) \
    __asm__(".section .drectve\n\t.ascii \" -export:\\\"" exported "\\\"=" internal "\"\n\t.text")
QUORREL_EXPORT_AS(QUORREL_MSVC_EXPORT_GET_CURRENT_VERSION, "quorrelMsvcGetCurrentVersion");
QUORREL_EXPORT_AS(QUORREL_MSVC_EXPORT_GET_OLDEST_COMPATIBLE_VERSION, "quorrelMsvcGetOldestCompatibleVersion");
QUORREL_EXPORT_AS(QUORREL_MSVC_EXPORT_COMPARE_VERSION, "quorrelMsvcCompareVersion");
#endif
