// The plug-in's four exports and its package hooks.
#define QUORREL_BUILDING
#include "explorer/QuorrelExports.h"

#include <atomic>
#include <cstdlib>

#include "quorrel/digiscan/ExpertFactory.h"
#include "quorrel/package/PackageHooks.h"
#include "quorrel/version/PlatformVersionTrace.h"
#include "quorrel/version/VersionCheck.h"

extern "C" QUORREL_API HRESULT createDigiscanSysApiExpert(void** expert) {
    return nQuorrel100::createExpertObject(expert);
}

namespace nQuorrel100 {

QUORREL_API tSSVersion getCurrentVersion(int32_t&) { return tSSVersion(kCurrentVersion); }

QUORREL_API tSSVersion getOldestCompatibleVersion(int32_t&) { return tSSVersion(kOldestCompatibleVersion); }

QUORREL_API void compareVersion(const tSSVersion& newestDesired, const tSSVersion& oldestDesired, int32_t& status,
                                const char* component) {
    PlatformVersionTrace trace;
    VersionChecker(trace).compareVersion(newestDesired.getValue(), oldestDesired.getValue(), status, component);
}

}  // namespace nQuorrel100

namespace {

// Never destroyed: at process exit the library's static objects are gone before its unload
// hook runs, and the hook still needs them.
quorrel::PackageHooks& packageHooks() {
    static auto* log = new quorrel::PlatformPackageLog(reinterpret_cast<const void*>(&createDigiscanSysApiExpert));
    static auto* hooks = new quorrel::PackageHooks(*log, &quorrel::quorrelPackageCallback);
    return *hooks;
}

// Set by an exit handler: exit runs every exit handler before the libraries' unload hooks,
// while an unload by dlclose runs this library's hook before its own exit handlers.
std::atomic<bool> processExiting{false};
void markProcessExiting() { processExiting = true; }

// Library load and unload stand for process attach and detach. A failed attach cannot refuse
// the load here; it is logged, and the host's version check and factory still decide.
__attribute__((constructor)) void quorrelModuleLoaded() {
    packageHooks().processAttach();
    std::atexit(&markProcessExiting);
}
__attribute__((destructor)) void quorrelModuleUnloading() { packageHooks().processDetach(processExiting.load()); }

}  // namespace
